#pragma once
// The host's auto-update interface: where update information lies.
#include <objbase.h>

namespace filedata::com {

inline constexpr GUID IID_IQeltAutoUpdate = {
    0x164E31E4, 0xCD60, 0x4E78, {0xA0, 0xA4, 0xCD, 0x28, 0x17, 0x8B, 0x18, 0x99}};

struct IQeltAutoUpdate : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetUpdateLocation(const char** location) = 0;  // slot 3
};

}  // namespace filedata::com
