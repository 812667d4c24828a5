#include "com/PlugServ.h"

#include <cstdint>

#include "com/ComBoundary.h"
#include "com/ComObjectFactory.h"
#include "descriptor/Descriptor.h"

namespace filedata::com {

namespace {
static_assert(sizeof(LONG) == sizeof(std::int32_t), "the host's 32-bit integers");

// The host's LONG is the operations' 32-bit integer under another name.
std::int32_t* Int32(LONG* out) { return reinterpret_cast<std::int32_t*>(out); }

// Every slot passes through here: nothing may unwind into the host.
template <class Operation>
HRESULT Slot(Operation&& operation) noexcept {
  return ComBoundary(hr::Fail, std::forward<Operation>(operation));
}

const TInterfaceEntry kFileDataEntries[] = {
    InterfaceEntry<TFileData, IQeltEditorSupport>(IID_IQeltEditorSupport),
    InterfaceEntry<TFileData, IQeltAutoUpdate>(IID_IQeltAutoUpdate),
    InterfaceEntry<TFileData, IQeltGen>(IID_IQeltGen),
};
}  // namespace

const TInterfaceTable TFileData::Interfaces{kFileDataEntries, &TComObject::Interfaces};

HRESULT TFileData::GetName(const char** name) noexcept {
  return Slot([&] { return descriptor::GetName(name); });
}
HRESULT TFileData::GetVersionA(WORD* value) noexcept {
  return Slot([&] { return descriptor::GetVersionA(value); });
}
HRESULT TFileData::GetVersionB(WORD* value) noexcept {
  return Slot([&] { return descriptor::GetVersionB(value); });
}
HRESULT TFileData::SetHostValue(LONG) noexcept { return S_OK; }
HRESULT TFileData::GetLastErrorText(const char** text) noexcept {
  return Slot([&] { return descriptor::GetLastErrorText(state_.LastError, text); });
}
HRESULT TFileData::GetAboutCount(LONG* count) noexcept {
  return Slot([&] { return descriptor::GetAboutCount(Int32(count)); });
}
HRESULT TFileData::GetAboutItem(LONG index, const char** key, const char** value) noexcept {
  return Slot([&] { return descriptor::GetAboutItem(state_.LastError, index, key, value); });
}
HRESULT TFileData::GetDataCount(LONG* count) noexcept {
  return Slot([&] { return descriptor::GetDataCount(Int32(count)); });
}
HRESULT TFileData::GetDataInfo(LONG index, const char** name, BYTE* kind) noexcept {
  return Slot([&] { return descriptor::GetDataInfo(state_.LastError, index, name, kind); });
}
HRESULT TFileData::GetData(LONG itemIndex, const char* params, const char** itemName, BYTE* valueKind,
                           const char** text, double* number) noexcept {
  return Slot([&] { return descriptor::GetData(state_, itemIndex, params, itemName, valueKind, text, number); });
}
HRESULT TFileData::HostHookA() noexcept { return S_OK; }
HRESULT TFileData::HostHookB() noexcept { return S_OK; }
HRESULT TFileData::OptionalRequest() noexcept { return E_NOTIMPL; }
HRESULT TFileData::GetParamCount(LONG itemIndex, LONG* count) noexcept {
  return Slot([&] { return descriptor::GetParamCount(itemIndex, Int32(count)); });
}
HRESULT TFileData::GetParamInfo(LONG itemIndex, LONG paramIndex, const char** name, const char** defaultValue,
                                const char** description) noexcept {
  return Slot([&] {
    return descriptor::GetParamInfo(state_.LastError, itemIndex, paramIndex, name, defaultValue, description);
  });
}
HRESULT TFileData::GetAdvancedParamCount(LONG itemIndex, LONG* count) noexcept {
  return Slot([&] { return descriptor::GetAdvancedParamCount(itemIndex, Int32(count)); });
}
HRESULT TFileData::GetAdvancedParamInfo(LONG itemIndex, LONG paramIndex, const char** name,
                                        const char** defaultValue, const char** description) noexcept {
  return Slot([&] {
    return descriptor::GetAdvancedParamInfo(state_.LastError, itemIndex, paramIndex, name, defaultValue, description);
  });
}
HRESULT TFileData::GetEditorFlags(LONG itemIndex, BYTE* flags) noexcept {
  return Slot([&] { return descriptor::GetEditorFlags(itemIndex, flags); });
}
HRESULT TFileData::GetParamEditor(LONG itemIndex, const char* paramName, BYTE* editorKind,
                                  const char** editorText) noexcept {
  return Slot([&] { return descriptor::GetParamEditor(itemIndex, paramName, editorKind, editorText); });
}
HRESULT TFileData::GetUpdateLocation(const char** location) noexcept {
  return Slot([&] { return descriptor::GetUpdateLocation(location); });
}

TComObjectFactory* CreatePlugInFactory(TComServerObject& server) {
  return new TComObjectFactory(server, &NewObjectOf<TFileData>, CLSID_FileData, "FileData", "Filedata plugin for Qelt",
                               TClassInstancing::MultiInstance, TThreadingModel::Apartment);
}

}  // namespace filedata::com
