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

TQueryParameters ParseQueryParameters(std::string_view params) {
  TQueryParameters query;
  ForEachField(params, "|", true, [&](std::int32_t, std::string_view pair) {
    ApplyPair(pair, query);
    return true;
  });
  return query;
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
    answer.IsNumber = true;
    answer.Number = x87::StoreAsDouble(value);
  } else {
    answer.Text.assign(cut);
  }
  return answer;
}

TDataAnswer AnswerQuery(std::string_view params) { return AnswerQuery(ParseQueryParameters(params)); }

}  // namespace filedata
