#pragma once
// IFiledataExplain: the plug-in object's one interface of this project's
// own, for tools that show why a reading is what it is. The host never asks
// for it. Once published, its identifier and slots never change: a new need
// gets a new interface.
#include <objbase.h>

namespace filedata::com {

// {F0B8A03A-2F57-471F-91DE-C9B3A2582E67}
inline constexpr GUID IID_IFiledataExplain = {
    0xF0B8A03A, 0x2F57, 0x471F, {0x91, 0xDE, 0xC9, 0xB3, 0xA2, 0x58, 0x2E, 0x67}};

struct IFiledataExplain : public IUnknown {
  // GetData of IQeltGen (slot 12), answered and written exactly as it
  // answers, from the same one read of the file, and STEPS: zero-terminated
  // JSON, an array of the steps the query took, each
  // {"step":...,"detail":...} and the values involved, the answer last.
  // STEPS is written whatever the result, but for E_POINTER. Like every text
  // the object hands out, it stays valid until the object's next GetData or
  // ExplainData, or its last Release.
  virtual HRESULT STDMETHODCALLTYPE ExplainData(LONG itemIndex, const char* params, const char** itemName,
                                                BYTE* valueKind, const char** text, double* number,
                                                const char** steps) = 0;  // slot 3
};

}  // namespace filedata::com
