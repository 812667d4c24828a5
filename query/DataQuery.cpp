#include "query/DataQuery.h"

#include "query/Filter.h"
#include "query/FloatParse.h"
#include "query/IntegerParse.h"
#include "query/LineSelection.h"
#include "query/Text.h"
#include "query/TextFile.h"
#include "query/X87.h"

namespace filedata {

namespace {
void ApplyPair(std::string_view pair, TQueryParameters& query) {
  const std::string value = ExtractField(pair, 2, "=", true);
  const std::string key = AsciiUpperCase(ExtractField(pair, 1, "=", true));
  if (TextEquals(key, "FILENAME")) query.FileName = value;
  else if (TextEquals(key, "LINE")) query.Line = ParseInteger(value);
  else if (TextEquals(key, "START")) query.Start = ParseInteger(value);
  else if (TextEquals(key, "LENGTH")) query.Length = ParseInteger(value);
}
}  // namespace

TQueryParameters ParseQueryParameters(const char* params) {
  TQueryParameters query;
  ForEachField(TextFromPointer(params), "|", true, [&](std::int32_t, std::string_view pair) {
    ApplyPair(pair, query);
    return true;
  });
  return query;
}

bool IsNumericText(std::string_view text) {
  long double ignored;
  return TryParseFloat(text, ignored);
}

TDataAnswer AnswerQuery(const TQueryParameters& query) {
  TDataAnswer answer;
  if (!FileIsPresent(query.FileName)) {
    answer.Text = kInvalidArguments;
    return answer;
  }
  const std::string line = SelectLine(query.FileName, query.Line);
  const std::int64_t length = query.Length == -1 ? static_cast<std::int64_t>(line.size()) : query.Length;
  const std::string_view cut = CutText(line, query.Start, length);
  long double value;
  if (TryParseFloat(cut, value)) {
    answer.ValueKind = kNumberKind;
    answer.Number = x87::StoreAsDouble(value);
  } else {
    answer.Text.assign(cut);
  }
  return answer;
}

HResult TDataQuery::GetData(TLastErrorText& lastError, std::int32_t itemIndex, const char* params,
                            const char** itemName, std::uint8_t* valueKind, const char** text, double* number) {
  if (!itemName || !valueKind || !text || !number) return hr::Pointer;
  if (itemIndex != 0) {
    lastError.Set(kIndexOutOfBounds);
    return hr::Fail;
  }
  // The standing answer until a later step replaces it, also on failure.
  *itemName = kDataItemName;
  *valueKind = kTextKind;
  *text = kInvalidArguments;
  if (!params) return hr::Ok;

  TDataAnswer answer = AnswerQuery(ParseQueryParameters(params));
  *valueKind = answer.ValueKind;
  if (answer.ValueKind == kNumberKind) {
    *number = answer.Number;
    *text = "";
  } else {
    answerText_ = std::move(answer.Text);
    *text = TextPointer(answerText_);
  }
  return hr::Ok;
}

}  // namespace filedata
