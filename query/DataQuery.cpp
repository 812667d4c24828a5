#include "query/DataQuery.h"

#include <utility>

#include "query/Filter.h"
#include "query/FloatParse.h"
#include "query/IntegerParse.h"
#include "query/LineSelection.h"
#include "query/QueryObserver.h"
#include "query/TextFile.h"
#include "query/Text.h"
#include "query/X87.h"

namespace filedata {

namespace {
const TParamRow* FindKey(std::string_view key) {
  // The key upper-cased (ASCII) and compared byte for byte with each name.
  for (const TParamRow& known : kParams) {
    if (TextEqualsIgnoringAsciiCase(key, known.KeyName)) return &known;
  }
  return nullptr;
}

std::string_view WithoutBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// Why a pair sets what it sets, or nothing; asked only by an observer.
TPair DescribePair(std::int32_t index, std::string_view pair, std::string_view key, std::string_view value,
                   bool hasEquals, const TParamRow* known) {
  TPair described;
  described.Index = index;
  described.Text = pair;
  described.Key = key;
  described.Value = value;
  described.HasEquals = hasEquals;
  if (known) {
    described.Use = TPairUse::Sets;
    described.SetsKey = known->Key;
    described.ValueCutShort = hasEquals && value.data() + value.size() < pair.data() + pair.size();
  } else if (pair.empty()) {
    described.Use = TPairUse::Empty;
  } else if (WithoutBlanks(key) != key && FindKey(WithoutBlanks(key))) {
    described.Use = TPairUse::BlankAroundKey;
  } else {
    described.Use = hasEquals ? TPairUse::UnknownKey : TPairUse::NoEquals;
  }
  return described;
}

void ApplyPair(std::int32_t index, std::string_view pair, TQueryParameters& query, TQueryObserver* observer) {
  std::string_view key, value;
  const bool hasEquals = SplitPair(pair, key, value);
  const TParamRow* known = FindKey(key);
  if (observer) observer->OnPair(DescribePair(index, pair, key, value, hasEquals, known));
  if (!known) return;
  switch (known->Key) {
    case TQueryKey::FileName: query.FileName.assign(value); break;
    case TQueryKey::Line: query.Line = ParseInteger(value); break;
    case TQueryKey::Start: query.Start = ParseInteger(value); break;
    case TQueryKey::Length: query.Length = ParseInteger(value); break;
  }
}
}  // namespace

TQueryParameters ParseQueryParameters(std::string_view params, TQueryObserver* observer) {
  TQueryParameters query;
  ForEachField(params, "|", [&](std::int32_t index, std::string_view pair) {
    ApplyPair(index, pair, query, observer);
    return true;
  });
  if (observer) observer->OnParameters(query);
  return query;
}

TDataAnswer TQueryRun::Answer(TQueryParameters query, TQueryObserver* observer) {
  query_ = std::move(query);
  TDataAnswer answer;
  const platform::TPresenceTest presence = platform::TestPresence(query_.FileName);
  if (observer) observer->OnPresence(query_.FileName, presence);
  if (presence.Result != platform::TPresence::Present) {
    answer.Text = kInvalidArguments;
    return answer;
  }
  OpenTextFile(query_.FileName, file_, observer);
  opened_ = true;
  return AnswerFromFile(file_, query_, facts_, observer);
}

TDataAnswer TQueryRun::Answer(std::string_view params, TQueryObserver* observer) {
  return Answer(ParseQueryParameters(params, observer), observer);
}

TDataAnswer AnswerFromFile(platform::TFileReader& file, const TQueryParameters& query, TReadFacts& facts,
                           TQueryObserver* observer) {
  TDataAnswer answer;
  // Only the cut is kept of the line, and the start an explanation quotes.
  const TLineKeep keep{query.Start, query.Length, observer ? kKeptHeadBytes : 0};
  TChosenLine line = SelectLine(file, query.FileName, query.Line, keep, facts, observer);
  if (observer) observer->OnCut(query.Start, query.Length, line);
  long double value;
  TNumberReport numberReport;
  const bool isNumber = TryParseFloat(line.Cut, value, LocaleDecimalSeparator(), observer ? &numberReport : nullptr);
  if (observer) observer->OnNumberTest(line.Cut, isNumber, numberReport);
  if (isNumber) {
    answer.IsNumber = true;
    answer.Number = x87::StoreAsDouble(value);
  } else {
    answer.Text = std::move(line.Cut);
  }
  return answer;
}

TDataAnswer AnswerQuery(const TQueryParameters& query, TQueryObserver* observer) {
  TQueryRun run;
  return run.Answer(query, observer);
}

TDataAnswer AnswerQuery(std::string_view params, TQueryObserver* observer) {
  TQueryRun run;
  return run.Answer(params, observer);
}

}  // namespace filedata
