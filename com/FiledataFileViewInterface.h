#pragma once
// IFiledataFileView: the plug-in object's second interface of this
// project's own, for tools that let a user set a reading up by pointing at
// the file's lines. The host never asks for it. Once published, its
// identifier and slots never change: a new need gets a new interface.
#include <objbase.h>

namespace filedata::com {

// {B7C06A5D-B4D3-4803-90FF-F49DCC32261D}
inline constexpr GUID IID_IFiledataFileView = {
    0xB7C06A5D, 0xB4D3, 0x4803, {0x90, 0xFF, 0xF4, 0x9D, 0xCC, 0x32, 0x26, 0x1D}};

struct IFiledataFileView : public IUnknown {
  // ExplainData of IFiledataExplain, answered and written exactly as it
  // answers, and VIEW: zero-terminated JSON, an object telling the file's
  // first and last lines as the query reads them (decoded, split, ended at
  // the first zero unit), a few hundred at most whatever the file's size,
  // read from the same open file after the answer, and the advice on the
  // cut held against them. VIEW is written whatever the result, but for
  // E_POINTER. Like every text the object hands out, it stays valid until
  // the object's next GetData, ExplainData or ExplainWithView, or its last
  // Release.
  virtual HRESULT STDMETHODCALLTYPE ExplainWithView(LONG itemIndex, const char* params, const char** itemName,
                                                    BYTE* valueKind, const char** text, double* number,
                                                    const char** steps, const char** view) = 0;  // slot 3
};

}  // namespace filedata::com
