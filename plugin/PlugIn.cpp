#include "plugin/PlugIn.h"

#include <cstddef>
#include <exception>
#include <string_view>

#include "descriptor/DescriptorTables.h"
#include "explain/Explanation.h"
#include "explain/FileViewWords.h"
#include "query/DataQuery.h"
#include "query/Errors.h"
#include "query/Text.h"

namespace filedata {

namespace {
using namespace descriptor;

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

// A table row or data item the plug-in does not have.
[[noreturn]] void NoSuchRow() { throw Exception(kIndexOutOfBounds); }

// Row INDEX of TABLE; an index outside it fails the operation.
template <class Row, std::size_t N>
const Row& RowAt(const Row (&table)[N], std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= N) NoSuchRow();
  return table[index];
}

HResult ParamRow(TParamTable table, std::int32_t paramIndex, const char** name, const char** defaultValue,
                 const char** description) {
  if (AnyNull(name, defaultValue, description)) return hr::Pointer;
  const TParamRow* row = ParamAt(table, paramIndex);
  if (!row) NoSuchRow();
  *name = row->Name;
  *defaultValue = row->EditorDefault;
  *description = row->Description;
  return hr::Ok;
}
}  // namespace

template <class Operation>
HResult TPlugIn::UnderHostContract(Operation&& operation) noexcept {
  try {
    return operation();
  } catch (const std::exception& failure) {
    lastError_.Set(failure.what());
  } catch (...) {
    lastError_.Set(kUnexpectedFailure);
  }
  return hr::Fail;
}

HResult TPlugIn::GetName(const char** name) noexcept { return Answer(name, kIdentity.Name); }

HResult TPlugIn::GetVersionA(std::uint16_t* value) noexcept { return Answer(value, kIdentity.VersionA); }

HResult TPlugIn::GetVersionB(std::uint16_t* value) noexcept { return Answer(value, kIdentity.VersionB); }

HResult TPlugIn::SetHostValue(std::int32_t) noexcept { return hr::Ok; }

HResult TPlugIn::GetLastErrorText(const char** text) noexcept {
  if (!text) return hr::Pointer;
  if (!lastError_.IsSet()) lastError_.Set(kNoError);
  *text = lastError_.Pointer();
  return hr::Ok;
}

HResult TPlugIn::GetAboutCount(std::int32_t* count) noexcept { return Answer(count, CountOf(kAboutRows)); }

HResult TPlugIn::GetAboutItem(std::int32_t index, const char** key, const char** value) noexcept {
  return UnderHostContract([&] {
    if (AnyNull(key, value)) return hr::Pointer;
    const TAboutRow& row = RowAt(kAboutRows, index);
    *key = row.Key;
    *value = row.Value;
    return hr::Ok;
  });
}

HResult TPlugIn::GetDataCount(std::int32_t* count) noexcept { return Answer(count, CountOf(kDataItemNames)); }

HResult TPlugIn::GetDataInfo(std::int32_t index, const char** name, std::uint8_t* kind) noexcept {
  return UnderHostContract([&] {
    if (AnyNull(name, kind)) return hr::Pointer;
    *kind = kDataItemKind;
    *name = RowAt(kDataItemNames, index);
    return hr::Ok;
  });
}

HResult TPlugIn::GetData(std::int32_t itemIndex, const char* params, const char** itemName, std::uint8_t* valueKind,
                         const char** text, double* number) noexcept {
  return Query(itemIndex, params, itemName, valueKind, text, number, nullptr, nullptr);
}

HResult TPlugIn::Query(std::int32_t itemIndex, const char* params, const char** itemName, std::uint8_t* valueKind,
                       const char** text, double* number, TQueryObserver* observer, TViewRequest* view) noexcept {
  return UnderHostContract([&] {
    if (AnyNull(itemName, valueKind, text, number)) return hr::Pointer;
    const char* const name = RowAt(kDataItemNames, itemIndex);
    // The standing answer until a later step replaces it, also on failure.
    *itemName = name;
    *valueKind = kTextKind;
    *text = kInvalidArguments;
    if (!params) return hr::Ok;
    TDataAnswer answer = AnswerQuery(std::string_view(params), observer, view);
    if (answer.IsNumber) {
      *valueKind = kNumberKind;
      *number = answer.Number;
      *text = "";
    } else {
      answerText_ = std::move(answer.Text);
      *text = TextPointer(answerText_);
    }
    return hr::Ok;
  });
}

HResult TPlugIn::ExplainData(std::int32_t itemIndex, const char* params, const char** itemName,
                             std::uint8_t* valueKind, const char** text, double* number, const char** steps) noexcept {
  return Explain(itemIndex, params, itemName, valueKind, text, number, steps, nullptr);
}

HResult TPlugIn::ExplainWithView(std::int32_t itemIndex, const char* params, const char** itemName,
                                 std::uint8_t* valueKind, const char** text, double* number, const char** steps,
                                 const char** view) noexcept {
  if (!view) return hr::Pointer;
  return Explain(itemIndex, params, itemName, valueKind, text, number, steps, view);
}

HResult TPlugIn::Explain(std::int32_t itemIndex, const char* params, const char** itemName, std::uint8_t* valueKind,
                         const char** text, double* number, const char** steps, const char** view) noexcept {
  if (AnyNull(itemName, valueKind, text, number, steps)) return hr::Pointer;
  explain::TExplanation explanation;
  // The advice on a number's cut holds it against the file's other lines,
  // so even a plain explanation reads them then.
  TViewRequest request;
  request.OnlyForNumbers = view == nullptr;
  const HResult result = Query(itemIndex, params, itemName, valueKind, text, number, &explanation, &request);
  const HResult told = UnderHostContract([&] {
    TQueryOutcome outcome;
    outcome.Result = result;
    if (result == hr::Ok) {
      outcome.ValueKind = *valueKind;
      if (*valueKind == kNumberKind) outcome.Number = *number;  // else the caller's, unwritten
      outcome.Text = *text;
    } else {
      outcome.Error = lastError_.Pointer();
    }
    const std::optional<explain::TCutAdvice> advice = explanation.Advise(request.View ? &*request.View : nullptr);
    steps_ = explanation.StepsJson(outcome);
    if (view) view_ = explain::FileViewJson(request, advice);
    return hr::Ok;
  });
  *steps = told == hr::Ok ? steps_.c_str() : "[]";
  if (view) *view = told == hr::Ok ? view_.c_str() : "{}";
  return told == hr::Ok ? result : told;
}

HResult TPlugIn::HostHookA() noexcept { return hr::Ok; }

HResult TPlugIn::HostHookB() noexcept { return hr::Ok; }

HResult TPlugIn::OptionalRequest() noexcept { return hr::NotImpl; }

HResult TPlugIn::GetParamCount(std::int32_t, std::int32_t* count) noexcept {
  return Answer(count, ParamCount(TParamTable::Basic));
}

HResult TPlugIn::GetParamInfo(std::int32_t, std::int32_t paramIndex, const char** name, const char** defaultValue,
                              const char** description) noexcept {
  return UnderHostContract([&] { return ParamRow(TParamTable::Basic, paramIndex, name, defaultValue, description); });
}

HResult TPlugIn::GetAdvancedParamCount(std::int32_t, std::int32_t* count) noexcept {
  return Answer(count, ParamCount(TParamTable::Advanced));
}

HResult TPlugIn::GetAdvancedParamInfo(std::int32_t, std::int32_t paramIndex, const char** name,
                                      const char** defaultValue, const char** description) noexcept {
  return UnderHostContract(
      [&] { return ParamRow(TParamTable::Advanced, paramIndex, name, defaultValue, description); });
}

HResult TPlugIn::GetEditorFlags(std::int32_t, std::uint8_t* flags) noexcept { return Answer(flags, kEditorFlags); }

HResult TPlugIn::GetParamEditor(std::int32_t, const char* paramName, std::uint8_t* editorKind,
                                const char** editorText) noexcept {
  if (AnyNull(editorKind, editorText)) return hr::Pointer;
  *editorKind = static_cast<std::uint8_t>(TEditorKind::Plain);
  const std::string_view name = TextFromPointer(paramName);
  for (const TParamRow& row : kParams) {
    if (row.Editor != TEditorKind::Plain && TextEqualsIgnoringAsciiCase(name, row.Name)) {
      *editorKind = static_cast<std::uint8_t>(row.Editor);
      *editorText = row.EditorText;
      break;
    }
  }
  return hr::Ok;
}

HResult TPlugIn::GetUpdateLocation(const char** location) noexcept {
  return Answer(location, kUpdateLocation.data());
}

}  // namespace filedata
