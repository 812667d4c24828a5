#include "tools/plugin-host/LoadedPlugIn.h"

#include <stdexcept>
#include <type_traits>

#include "tools/plugin-host/ComResultText.h"

namespace filedata::host {

// WORD and BYTE are the very types of the operations, so their out-pointers
// pass straight on; LONG is as wide as std::int32_t but a type of its own.
static_assert(std::is_same_v<WORD, std::uint16_t> && std::is_same_v<BYTE, std::uint8_t>);
static_assert(sizeof(LONG) == sizeof(std::int32_t), "LONG is 32 bits on every Windows ABI");

namespace {
// A null out-pointer stays null, so the plug-in sees exactly what the caller passed.
LONG* AsLong(std::int32_t* out) { return reinterpret_cast<LONG*>(out); }

template <typename Wanted>
TComRef<Wanted> Require(const TComRef<com::IQeltGen>& main, const IID& iid, const char* name) {
  TComRef<Wanted> wanted;
  const HRESULT result = QueryRef(main, iid, wanted);
  if (FAILED(result) || !wanted) throw std::runtime_error(ComFailure(std::string("QueryInterface for ") + name, result));
  return wanted;
}

template <class Wanted>
TComRef<Wanted> IfAnswered(const TComRef<com::IQeltGen>& main, const IID& iid) {
  TComRef<Wanted> wanted;
  if (FAILED(QueryRef(main, iid, wanted))) wanted.Reset();
  return wanted;
}
}  // namespace

TLoadedPlugIn::TLoadedPlugIn(TComRef<com::IQeltGen> main)
    : main_(std::move(main)),
      editorSupport_(Require<com::IQeltEditorSupport>(main_, com::IID_IQeltEditorSupport, "IQeltEditorSupport")),
      autoUpdate_(Require<com::IQeltAutoUpdate>(main_, com::IID_IQeltAutoUpdate, "IQeltAutoUpdate")),
      explain_(IfAnswered<com::IFiledataExplain>(main_, com::IID_IFiledataExplain)),
      fileView_(IfAnswered<com::IFiledataFileView>(main_, com::IID_IFiledataFileView)) {}

HResult TLoadedPlugIn::GetName(const char** name) noexcept { return main_->GetName(name); }
HResult TLoadedPlugIn::GetVersionA(std::uint16_t* value) noexcept { return main_->GetVersionA(value); }
HResult TLoadedPlugIn::GetVersionB(std::uint16_t* value) noexcept { return main_->GetVersionB(value); }
HResult TLoadedPlugIn::SetHostValue(std::int32_t value) noexcept { return main_->SetHostValue(value); }
HResult TLoadedPlugIn::GetLastErrorText(const char** text) noexcept { return main_->GetLastErrorText(text); }
HResult TLoadedPlugIn::GetAboutCount(std::int32_t* count) noexcept { return main_->GetAboutCount(AsLong(count)); }
HResult TLoadedPlugIn::GetAboutItem(std::int32_t index, const char** key, const char** value) noexcept {
  return main_->GetAboutItem(index, key, value);
}
HResult TLoadedPlugIn::GetDataCount(std::int32_t* count) noexcept { return main_->GetDataCount(AsLong(count)); }
HResult TLoadedPlugIn::GetDataInfo(std::int32_t index, const char** name, std::uint8_t* kind) noexcept {
  return main_->GetDataInfo(index, name, kind);
}
HResult TLoadedPlugIn::GetData(std::int32_t itemIndex, const char* params, const char** itemName,
                               std::uint8_t* valueKind, const char** text, double* number) noexcept {
  return main_->GetData(itemIndex, params, itemName, valueKind, text, number);
}
HResult TLoadedPlugIn::HostHookA() noexcept { return main_->HostHookA(); }
HResult TLoadedPlugIn::HostHookB() noexcept { return main_->HostHookB(); }
HResult TLoadedPlugIn::OptionalRequest() noexcept { return main_->OptionalRequest(); }
HResult TLoadedPlugIn::GetParamCount(std::int32_t itemIndex, std::int32_t* count) noexcept {
  return main_->GetParamCount(itemIndex, AsLong(count));
}
HResult TLoadedPlugIn::GetParamInfo(std::int32_t itemIndex, std::int32_t paramIndex, const char** name,
                                    const char** defaultValue, const char** description) noexcept {
  return main_->GetParamInfo(itemIndex, paramIndex, name, defaultValue, description);
}
HResult TLoadedPlugIn::GetAdvancedParamCount(std::int32_t itemIndex, std::int32_t* count) noexcept {
  return main_->GetAdvancedParamCount(itemIndex, AsLong(count));
}
HResult TLoadedPlugIn::GetAdvancedParamInfo(std::int32_t itemIndex, std::int32_t paramIndex, const char** name,
                                            const char** defaultValue, const char** description) noexcept {
  return main_->GetAdvancedParamInfo(itemIndex, paramIndex, name, defaultValue, description);
}
HResult TLoadedPlugIn::GetEditorFlags(std::int32_t itemIndex, std::uint8_t* flags) noexcept {
  return editorSupport_->GetEditorFlags(itemIndex, flags);
}
HResult TLoadedPlugIn::GetParamEditor(std::int32_t itemIndex, const char* paramName, std::uint8_t* editorKind,
                                      const char** editorText) noexcept {
  return editorSupport_->GetParamEditor(itemIndex, paramName, editorKind, editorText);
}
HResult TLoadedPlugIn::GetUpdateLocation(const char** location) noexcept {
  return autoUpdate_->GetUpdateLocation(location);
}
HResult TLoadedPlugIn::ExplainData(std::int32_t itemIndex, const char* params, const char** itemName,
                                   std::uint8_t* valueKind, const char** text, double* number,
                                   const char** steps) noexcept {
  if (!explain_) return hr::NoInterface;
  return explain_->ExplainData(itemIndex, params, itemName, valueKind, text, number, steps);
}
HResult TLoadedPlugIn::ExplainWithView(std::int32_t itemIndex, const char* params, const char** itemName,
                                       std::uint8_t* valueKind, const char** text, double* number,
                                       const char** steps, const char** view) noexcept {
  if (!fileView_) return hr::NoInterface;
  return fileView_->ExplainWithView(itemIndex, params, itemName, valueKind, text, number, steps, view);
}

}  // namespace filedata::host
