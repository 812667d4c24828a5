#include "descriptor/Descriptor.h"

#include <cstddef>
#include <string_view>

#include "descriptor/DescriptorTables.h"
#include "query/Text.h"

namespace filedata::descriptor {

namespace {
template <class... Out>
bool AnyNull(Out*... out) noexcept {
  return ((out == nullptr) || ...);
}

template <class T>
HResult Answer(T* out, T value) noexcept {
  if (!out) return hr::Pointer;
  *out = value;
  return hr::Ok;
}

template <class Row, std::size_t N>
constexpr std::int32_t CountOf(const Row (&)[N]) noexcept {
  return static_cast<std::int32_t>(N);
}

// Null for an index outside the table.
template <class Row, std::size_t N>
const Row* RowAt(const Row (&table)[N], std::int32_t index) noexcept {
  return index >= 0 && static_cast<std::size_t>(index) < N ? &table[index] : nullptr;
}

HResult ReportIndexOutOfBounds(TLastErrorText& lastError) noexcept {
  lastError.Set(kIndexOutOfBounds);
  return hr::Fail;
}

template <std::size_t N>
HResult GetParamRow(const TParamRow (&table)[N], TLastErrorText& lastError, std::int32_t paramIndex,
                    const char** name, const char** defaultValue, const char** description) noexcept {
  if (AnyNull(name, defaultValue, description)) return hr::Pointer;
  const TParamRow* row = RowAt(table, paramIndex);
  if (!row) return ReportIndexOutOfBounds(lastError);
  *name = row->Name;
  *defaultValue = row->Default;
  *description = row->Description;
  return hr::Ok;
}
}  // namespace

HResult GetName(const char** name) noexcept { return Answer(name, kIdentity.Name); }

HResult GetVersionA(std::uint16_t* value) noexcept { return Answer(value, kIdentity.VersionA); }

HResult GetVersionB(std::uint16_t* value) noexcept { return Answer(value, kIdentity.VersionB); }

HResult GetLastErrorText(TLastErrorText& lastError, const char** text) noexcept {
  if (!text) return hr::Pointer;
  if (!lastError.IsSet()) lastError.Set(kNoError);
  *text = lastError.Pointer();
  return hr::Ok;
}

HResult GetAboutCount(std::int32_t* count) noexcept { return Answer(count, CountOf(kAboutRows)); }

HResult GetAboutItem(TLastErrorText& lastError, std::int32_t index, const char** key, const char** value) noexcept {
  if (AnyNull(key, value)) return hr::Pointer;
  const TAboutRow* row = RowAt(kAboutRows, index);
  if (!row) return ReportIndexOutOfBounds(lastError);
  *key = row->Key;
  *value = row->Value;
  return hr::Ok;
}

HResult GetDataCount(std::int32_t* count) noexcept { return Answer(count, CountOf(kDataItemNames)); }

HResult GetDataInfo(TLastErrorText& lastError, std::int32_t index, const char** name, std::uint8_t* kind) noexcept {
  if (AnyNull(name, kind)) return hr::Pointer;
  *kind = kDataItemKind;
  const char* const* row = RowAt(kDataItemNames, index);
  if (!row) return ReportIndexOutOfBounds(lastError);
  *name = *row;
  return hr::Ok;
}

HResult GetParamCount(std::int32_t, std::int32_t* count) noexcept { return Answer(count, CountOf(kBasicParams)); }

HResult GetParamInfo(TLastErrorText& lastError, std::int32_t, std::int32_t paramIndex, const char** name,
                     const char** defaultValue, const char** description) noexcept {
  return GetParamRow(kBasicParams, lastError, paramIndex, name, defaultValue, description);
}

HResult GetAdvancedParamCount(std::int32_t, std::int32_t* count) noexcept {
  return Answer(count, CountOf(kAdvancedParams));
}

HResult GetAdvancedParamInfo(TLastErrorText& lastError, std::int32_t, std::int32_t paramIndex, const char** name,
                             const char** defaultValue, const char** description) noexcept {
  return GetParamRow(kAdvancedParams, lastError, paramIndex, name, defaultValue, description);
}

HResult GetEditorFlags(std::int32_t, std::uint8_t* flags) noexcept { return Answer(flags, kEditorFlags); }

HResult GetParamEditor(std::int32_t, const char* paramName, std::uint8_t* editorKind,
                       const char** editorText) noexcept {
  if (AnyNull(editorKind, editorText)) return hr::Pointer;
  *editorKind = kPlainEditorKind;
  const std::string_view name = TextFromPointer(paramName);
  for (const TEditorRule& rule : kEditorRules) {
    if (TextEqualsIgnoringAsciiCase(name, rule.ParamName)) {
      *editorKind = rule.Kind;
      *editorText = rule.Text;
      break;
    }
  }
  return hr::Ok;
}

HResult GetUpdateLocation(const char** location) noexcept { return Answer(location, kUpdateLocation.data()); }

}  // namespace filedata::descriptor
