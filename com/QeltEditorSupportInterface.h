#pragma once
// The host's editor-support interface: how its editor lets the user enter
// each parameter. A binary contract with the host.
#include <objbase.h>

namespace filedata::com {

inline constexpr GUID IID_IQeltEditorSupport = {
    0xA8C505F5, 0x6812, 0x4EB8, {0x93, 0x19, 0x71, 0xA3, 0xB9, 0xDC, 0x6E, 0x2F}};

struct IQeltEditorSupport : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetEditorFlags(LONG itemIndex, BYTE* flags) = 0;  // slot 3
  virtual HRESULT STDMETHODCALLTYPE GetParamEditor(LONG itemIndex, const char* paramName, BYTE* editorKind,
                                                   const char** editorText) = 0;  // slot 4
};

}  // namespace filedata::com
