#include "plugin/PlugIn.h"

#include <algorithm>
#include <cstddef>
#include <exception>
#include <new>
#include <string_view>

#include "descriptor/DescriptorTables.h"
#include "explain/Explanation.h"
#include "explain/FileViewWords.h"
#include "query/DataQuery.h"
#include "query/FileView.h"
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
  } catch (const std::bad_alloc&) {
    lastError_.Set(kOutOfMemory);  // the library's own words, not std::bad_alloc
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
  if (AnyNull(itemName, valueKind, text, number)) return hr::Pointer;
  TQueryRun run;
  return Written(Query(run, itemIndex, params, nullptr), itemName, valueKind, text, number);
}

TPlugIn::THostAnswer TPlugIn::Query(TQueryRun& run, std::int32_t itemIndex, const char* params,
                                    TQueryObserver* observer) noexcept {
  THostAnswer answer;
  answer.Result = UnderHostContract([&] {
    const char* const name = RowAt(kDataItemNames, itemIndex);
    // The standing answer until a later step replaces it, also on failure.
    answer.ItemName = name;
    answer.ValueKind = kTextKind;
    answer.Text = kInvalidArguments;
    answer.TextSize = sizeof kInvalidArguments - 1;
    if (!params) return hr::Ok;
    TDataAnswer data = run.Answer(std::string_view(params), observer);
    if (data.IsNumber) {
      answer.ValueKind = kNumberKind;
      answer.Number = data.Number;
      answer.Text = "";
      answer.TextSize = 0;
    } else {
      answerText_ = std::move(data.Text);
      answer.Text = TextPointer(answerText_);
      answer.TextSize = answerText_.size();
    }
    return hr::Ok;
  });
  return answer;
}

HResult TPlugIn::Written(const THostAnswer& answer, const char** itemName, std::uint8_t* valueKind, const char** text,
                         double* number) noexcept {
  if (!answer.ItemName) return answer.Result;
  *itemName = answer.ItemName;
  *valueKind = answer.ValueKind;
  *text = answer.Text;
  if (answer.ValueKind == kNumberKind) *number = answer.Number;
  return answer.Result;
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
  TQueryRun run;
  explain::TExplanation explanation;
  const THostAnswer answer = Query(run, itemIndex, params, &explanation);
  const HResult result = Written(answer, itemName, valueKind, text, number);
  Tell(run, explanation, answer, steps, view);
  return result;
}

namespace {
// The lines of RUN's file, or why there are none.
std::optional<TFileView> ViewOf(TQueryRun& run, std::string& unavailable) {
  platform::TFileReader* const file = run.OpenFile();
  if (!file) {
    unavailable = "no file was read";
    return std::nullopt;
  }
  try {
    return ReadFileView(*file, run.FileName(), run.Facts());
  } catch (const std::bad_alloc&) {
    unavailable = std::string("the file's lines could not be read: ") + explain::kNoMemory;
  } catch (const std::exception& failure) {
    unavailable = failure.what();
  }
  return std::nullopt;
}
}  // namespace

void TPlugIn::Tell(TQueryRun& run, explain::TExplanation& explanation, const THostAnswer& answer, const char** steps,
                   const char** view) noexcept {
  TQueryOutcome outcome;
  std::string unavailable;
  std::optional<TFileView> fileView;
  std::optional<explain::TCutAdvice> advice;
  try {
    outcome.Result = answer.Result;
    outcome.ValueKind = answer.ValueKind;
    outcome.Number = answer.Number;
    // A long answer's start is all the steps quote.
    if (answer.Text) outcome.Text.assign(answer.Text, std::min(answer.TextSize, kQuotedBytes));
    if (answer.Result != hr::Ok) outcome.Error = lastError_.Pointer();
    // The advice on a number's cut holds it against the file's other lines,
    // so even a plain explanation reads them then.
    if (view || answer.ValueKind == kNumberKind) fileView = ViewOf(run, unavailable);
    advice = explanation.Advise(fileView ? &*fileView : nullptr);
    steps_ = explanation.StepsJson(outcome, answer.TextSize);
    *steps = steps_.c_str();
  } catch (const std::bad_alloc&) {
    Untold(explain::kNoMemory, outcome, answer.TextSize, steps, view);
    return;
  } catch (const std::exception& failure) {
    Untold(failure.what(), outcome, answer.TextSize, steps, view);
    return;
  } catch (...) {
    Untold(kUnexpectedFailure, outcome, answer.TextSize, steps, view);
    return;
  }
  if (!view) return;
  // The steps stand whatever becomes of the view.
  try {
    view_ = fileView ? explain::FileViewJson(*fileView, advice) : explain::UnavailableViewJson(unavailable);
    *view = view_.c_str();
  } catch (const std::bad_alloc&) {
    *view = Unviewed(explain::kNoMemory);
  } catch (const std::exception& failure) {
    *view = Unviewed(failure.what());
  } catch (...) {
    *view = Unviewed(kUnexpectedFailure);
  }
}

void TPlugIn::Untold(const char* reason, const TQueryOutcome& outcome, std::size_t textSize, const char** steps,
                     const char** view) noexcept {
  // Without even the room for these words, the fixed ones say it.
  *steps = explain::kUntoldSteps;
  try {
    steps_ = explain::UntoldStepsJson(reason, outcome, textSize);
    *steps = steps_.c_str();
  } catch (...) {
  }
  if (view) *view = Unviewed(reason);
}

const char* TPlugIn::Unviewed(const char* reason) noexcept {
  try {
    view_ = explain::UnavailableViewJson(std::string("the file's lines could not be written: ") + reason);
    return view_.c_str();
  } catch (...) {
    return explain::kUntoldView;
  }
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
