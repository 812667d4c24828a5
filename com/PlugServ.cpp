#include "com/PlugServ.h"

#include <cstdint>

#include "com/ComObjectFactory.h"

namespace filedata::com {

namespace {
static_assert(sizeof(LONG) == sizeof(std::int32_t), "the host's 32-bit integers");

// The host's LONG is the operations' 32-bit integer under another name.
std::int32_t* Int32(LONG* out) { return reinterpret_cast<std::int32_t*>(out); }

const TInterfaceEntry kFileDataEntries[] = {
    InterfaceEntry<TFileData, IQeltEditorSupport>(IID_IQeltEditorSupport),
    InterfaceEntry<TFileData, IQeltAutoUpdate>(IID_IQeltAutoUpdate),
    InterfaceEntry<TFileData, IQeltGen>(IID_IQeltGen),
    InterfaceEntry<TFileData, IFiledataExplain>(IID_IFiledataExplain),
    InterfaceEntry<TFileData, IFiledataFileView>(IID_IFiledataFileView),
};
}  // namespace

const TInterfaceTable TFileData::Interfaces{kFileDataEntries, &TComObject::Interfaces};

// Each slot is the operation itself: TPlugIn's operations turn every
// failure into their result and raise nothing, so nothing here can unwind
// into the host.
HRESULT TFileData::GetName(const char** name) noexcept { return plugIn_.GetName(name); }
HRESULT TFileData::GetVersionA(WORD* value) noexcept { return plugIn_.GetVersionA(value); }
HRESULT TFileData::GetVersionB(WORD* value) noexcept { return plugIn_.GetVersionB(value); }
HRESULT TFileData::SetHostValue(LONG value) noexcept { return plugIn_.SetHostValue(value); }
HRESULT TFileData::GetLastErrorText(const char** text) noexcept { return plugIn_.GetLastErrorText(text); }
HRESULT TFileData::GetAboutCount(LONG* count) noexcept { return plugIn_.GetAboutCount(Int32(count)); }
HRESULT TFileData::GetAboutItem(LONG index, const char** key, const char** value) noexcept {
  return plugIn_.GetAboutItem(index, key, value);
}
HRESULT TFileData::GetDataCount(LONG* count) noexcept { return plugIn_.GetDataCount(Int32(count)); }
HRESULT TFileData::GetDataInfo(LONG index, const char** name, BYTE* kind) noexcept {
  return plugIn_.GetDataInfo(index, name, kind);
}
HRESULT TFileData::GetData(LONG itemIndex, const char* params, const char** itemName, BYTE* valueKind,
                           const char** text, double* number) noexcept {
  return plugIn_.GetData(itemIndex, params, itemName, valueKind, text, number);
}
HRESULT TFileData::HostHookA() noexcept { return plugIn_.HostHookA(); }
HRESULT TFileData::HostHookB() noexcept { return plugIn_.HostHookB(); }
HRESULT TFileData::OptionalRequest() noexcept { return plugIn_.OptionalRequest(); }
HRESULT TFileData::GetParamCount(LONG itemIndex, LONG* count) noexcept {
  return plugIn_.GetParamCount(itemIndex, Int32(count));
}
HRESULT TFileData::GetParamInfo(LONG itemIndex, LONG paramIndex, const char** name, const char** defaultValue,
                                const char** description) noexcept {
  return plugIn_.GetParamInfo(itemIndex, paramIndex, name, defaultValue, description);
}
HRESULT TFileData::GetAdvancedParamCount(LONG itemIndex, LONG* count) noexcept {
  return plugIn_.GetAdvancedParamCount(itemIndex, Int32(count));
}
HRESULT TFileData::GetAdvancedParamInfo(LONG itemIndex, LONG paramIndex, const char** name,
                                        const char** defaultValue, const char** description) noexcept {
  return plugIn_.GetAdvancedParamInfo(itemIndex, paramIndex, name, defaultValue, description);
}
HRESULT TFileData::GetEditorFlags(LONG itemIndex, BYTE* flags) noexcept {
  return plugIn_.GetEditorFlags(itemIndex, flags);
}
HRESULT TFileData::GetParamEditor(LONG itemIndex, const char* paramName, BYTE* editorKind,
                                  const char** editorText) noexcept {
  return plugIn_.GetParamEditor(itemIndex, paramName, editorKind, editorText);
}
HRESULT TFileData::GetUpdateLocation(const char** location) noexcept { return plugIn_.GetUpdateLocation(location); }
HRESULT TFileData::ExplainData(LONG itemIndex, const char* params, const char** itemName, BYTE* valueKind,
                               const char** text, double* number, const char** steps) noexcept {
  return plugIn_.ExplainData(itemIndex, params, itemName, valueKind, text, number, steps);
}

HRESULT TFileData::ExplainWithView(LONG itemIndex, const char* params, const char** itemName, BYTE* valueKind,
                                   const char** text, double* number, const char** steps, const char** view) noexcept {
  return plugIn_.ExplainWithView(itemIndex, params, itemName, valueKind, text, number, steps, view);
}

TComObjectFactory* CreatePlugInFactory(TComServerObject& server) {
  return new TComObjectFactory(server, &NewObjectOf<TFileData>, CLSID_FileData, kPlugInClassName, kPlugInDescription,
                               kPlugInThreadingModel);
}

}  // namespace filedata::com
