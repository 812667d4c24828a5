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
// Fields 1 and 2 of PAIR at "=" in one pass: what ExtractField gives for
// each, without a copy.
void SplitPair(std::string_view pair, std::string_view& key, std::string_view& value) {
  ForEachField(pair, "=", true, [&](std::int32_t index, std::string_view field) {
    (index == 1 ? key : value) = field;
    return index < 2;
  });
}

void ApplyPair(std::string_view pair, TQueryParameters& query) {
  std::string_view key, value;
  SplitPair(pair, key, value);
  // The key upper-cased and compared, byte for byte, as AsciiUpperCase and TextEquals would.
  if (TextEqualsIgnoringAsciiCase(key, "FILENAME")) query.FileName.assign(value);
  else if (TextEqualsIgnoringAsciiCase(key, "LINE")) query.Line = ParseInteger(value);
  else if (TextEqualsIgnoringAsciiCase(key, "START")) query.Start = ParseInteger(value);
  else if (TextEqualsIgnoringAsciiCase(key, "LENGTH")) query.Length = ParseInteger(value);
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
