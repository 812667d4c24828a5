#include "tools/plugin-host/PlugInObject.h"

#include <stdexcept>
#include <type_traits>

#include "tools/plugin-host/ComResultText.h"

namespace filedata::host {

// The interfaces speak in Windows types; the description in fixed-width ones.
// WORD and BYTE are the very same types, so their out-pointers pass straight on.
static_assert(std::is_same_v<WORD, std::uint16_t> && std::is_same_v<BYTE, std::uint8_t>);
static_assert(sizeof(LONG) == sizeof(std::int32_t), "LONG is 32 bits on every Windows ABI");

namespace {
// LONG is a type of its own, though as wide as std::int32_t: the count goes
// through a local of the interface's type. A null out-pointer stays null, so
// the plug-in sees exactly what the caller passed.
template <typename Call>
HResult ThroughLong(std::int32_t* out, Call call) {
  LONG value = out ? static_cast<LONG>(*out) : 0;
  const HRESULT result = call(out ? &value : nullptr);
  if (out) *out = static_cast<std::int32_t>(value);
  return static_cast<HResult>(result);
}

template <typename Wanted>
TComRef<Wanted> Require(const TComRef<com::IQeltGen>& main, const IID& iid, const char* name) {
  TComRef<Wanted> wanted;
  const HRESULT result = QueryRef(main, iid, wanted);
  if (FAILED(result) || !wanted) throw std::runtime_error(ComFailure(std::string("QueryInterface for ") + name, result));
  return wanted;
}
}  // namespace

TPlugInObject::TPlugInObject(TComRef<com::IQeltGen> main)
    : main_(std::move(main)),
      editorSupport_(Require<com::IQeltEditorSupport>(main_, com::IID_IQeltEditorSupport, "IQeltEditorSupport")),
      autoUpdate_(Require<com::IQeltAutoUpdate>(main_, com::IID_IQeltAutoUpdate, "IQeltAutoUpdate")) {}

HResult TPlugInObject::GetName(const char** name) { return main_->GetName(name); }
HResult TPlugInObject::GetVersionA(std::uint16_t* value) { return main_->GetVersionA(value); }
HResult TPlugInObject::GetVersionB(std::uint16_t* value) { return main_->GetVersionB(value); }
HResult TPlugInObject::GetLastErrorText(const char** text) { return main_->GetLastErrorText(text); }

HResult TPlugInObject::GetAboutCount(std::int32_t* count) {
  return ThroughLong(count, [&](LONG* out) { return main_->GetAboutCount(out); });
}

HResult TPlugInObject::GetAboutItem(std::int32_t index, const char** key, const char** value) {
  return main_->GetAboutItem(index, key, value);
}

HResult TPlugInObject::GetDataCount(std::int32_t* count) {
  return ThroughLong(count, [&](LONG* out) { return main_->GetDataCount(out); });
}

HResult TPlugInObject::GetDataInfo(std::int32_t index, const char** name, std::uint8_t* kind) {
  return main_->GetDataInfo(index, name, kind);
}

HResult TPlugInObject::GetParamCount(std::int32_t itemIndex, std::int32_t* count) {
  return ThroughLong(count, [&](LONG* out) { return main_->GetParamCount(itemIndex, out); });
}

HResult TPlugInObject::GetParamInfo(std::int32_t itemIndex, std::int32_t paramIndex, const char** name,
                                    const char** defaultValue, const char** description) {
  return main_->GetParamInfo(itemIndex, paramIndex, name, defaultValue, description);
}

HResult TPlugInObject::GetAdvancedParamCount(std::int32_t itemIndex, std::int32_t* count) {
  return ThroughLong(count, [&](LONG* out) { return main_->GetAdvancedParamCount(itemIndex, out); });
}

HResult TPlugInObject::GetAdvancedParamInfo(std::int32_t itemIndex, std::int32_t paramIndex, const char** name,
                                            const char** defaultValue, const char** description) {
  return main_->GetAdvancedParamInfo(itemIndex, paramIndex, name, defaultValue, description);
}

HResult TPlugInObject::GetEditorFlags(std::int32_t itemIndex, std::uint8_t* flags) {
  return editorSupport_->GetEditorFlags(itemIndex, flags);
}

HResult TPlugInObject::GetParamEditor(std::int32_t itemIndex, const char* paramName, std::uint8_t* editorKind,
                                      const char** editorText) {
  return editorSupport_->GetParamEditor(itemIndex, paramName, editorKind, editorText);
}

HResult TPlugInObject::GetUpdateLocation(const char** location) { return autoUpdate_->GetUpdateLocation(location); }

tool::TQueryOutcome TPlugInObject::Query(const std::string& params) {
  tool::TQueryOutcome outcome;
  const char* itemName = nullptr;
  const char* text = nullptr;
  outcome.Result = main_->GetData(0, params.c_str(), &itemName, &outcome.ValueKind, &text, &outcome.Number);
  if (text) outcome.Text = text;
  if (outcome.Result != hr::Ok) {
    const char* error = nullptr;
    if (main_->GetLastErrorText(&error) == S_OK && error) outcome.Error = error;
  }
  return outcome;
}

}  // namespace filedata::host
