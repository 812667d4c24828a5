#include "tools/common/Explain.h"

#include <cmath>
#include <map>

#include "descriptor/PlugIn.h"
#include "descriptor/DescriptorTables.h"
#include "query/DataQuery.h"
#include "query/QueryObserver.h"
#include "tools/common/ResultNames.h"
#include "tools/common/ExplainWords.h"

namespace filedata::tool {

namespace {
class TExplanation final : public TQueryObserver {
 public:
  std::vector<TExplainStep> Steps;

  void OnPair(const TPair& pair) override {
    TJson values = {{"index", pair.Index},
                    {"pair", std::string(pair.Text)},
                    {"key", std::string(pair.Key)},
                    {"value", std::string(pair.Value)},
                    {"use", UseName(pair.Use)}};
    std::string detail = "pair " + std::to_string(pair.Index) + " " + Quoted(pair.Text) + ": " + PairUse(pair);
    if (pair.Use == TPairUse::Sets) {
      values["sets"] = std::string(KeyName(pair.SetsKey));
      const auto earlier = setBy_.find(pair.SetsKey);
      if (earlier != setBy_.end()) {
        detail += "; it overrides pair " + std::to_string(earlier->second) + ": the last pair of a key wins";
        values["overrides"] = earlier->second;
      }
      setBy_[pair.SetsKey] = pair.Index;
      if (pair.ValueCutShort) {
        detail += "; the value ends at its own \"=\", the rest of the pair is dropped";
        values["valueCutShort"] = true;
      }
      if (!pair.HasEquals) values["hasEquals"] = false;
    }
    Add("pair", detail, std::move(values));
  }

  void OnParameters(const TQueryParameters& query) override {
    const auto shown = [&](TQueryKey key, const std::string& value) {
      return std::string(KeyName(key)) + " " + value + (setBy_.count(key) ? "" : " (default)");
    };
    Add("parameters",
        "the query runs with " + shown(TQueryKey::FileName, Quoted(query.FileName)) + ", " +
            shown(TQueryKey::Line, std::to_string(query.Line)) + ", " +
            shown(TQueryKey::Start, std::to_string(query.Start)) + ", " +
            shown(TQueryKey::Length, std::to_string(query.Length)),
        {{"fileName", query.FileName}, {"line", query.Line}, {"start", query.Start}, {"length", query.Length}});
    line_ = query.Line;
  }

  void OnPresence(const std::string& fileName, const platform::TPresenceTest& test) override {
    TJson values = {{"fileName", fileName}, {"present", test.Result == platform::TPresence::Present}};
    if (!test.Entry.empty()) values["entry"] = test.Entry;
    if (test.Year) values["year"] = test.Year;
    Add("file", PresenceDetail(fileName, test), std::move(values));
  }

  void OnEncoding(const TTextMark& mark) override {
    TJson values = {{"encoding", EncodingName(mark.Encoding)}, {"utf8Mark", mark.Utf8Mark}};
    if (mark.Encoding != TTextEncoding::EightBit) values["decodedTo"] = platform::HostTextName();
    Add("encoding", EncodingDetail(mark), std::move(values));
  }

  void OnTextEnd(const TTextEnd& end) override {
    if (!end.EndedByZero && !end.OddByteIgnored) return;
    TJson values = {{"endedByZero", end.EndedByZero}, {"oddByteIgnored", end.OddByteIgnored}};
    if (end.EndedByZero) {
      values["zeroAt"] = end.ZeroAt + 1;
      values["bytesIgnored"] = end.BytesAfter;
    }
    if (end.UnmarkedUtf16 != TTextEncoding::EightBit) values["looksLike"] = EncodingName(end.UnmarkedUtf16);
    Add("end", TextEndDetail(end), std::move(values));
  }

  void OnLine(std::int64_t index, std::string_view line, std::uint64_t linesRead) override {
    std::string detail = index < 0 ? "LINE=0 selects the last line"
                                   : "LINE=" + std::to_string(line_) + " selects line " + std::to_string(index + 1) +
                                         "; " + Lines(linesRead) + " read to reach it";
    detail += ": " + Quoted(line) + " (" + Bytes(line.size()) + ")";
    if (index < 0 && line.empty()) {
      detail += "; the last line is empty: the file ends with an empty line after its last line break";
    }
    Add("line", detail, {{"index", index}, {"text", std::string(line)}, {"linesRead", linesRead}});
  }

  void OnNoLine(std::int64_t index, std::uint64_t lines) override {
    const std::string count = Lines(lines);
    std::string detail;
    if (line_ < 0) {
      detail = "LINE=" + std::to_string(line_) + " never selects a line: below 0 it counts past the end (index " +
               std::to_string(index) + " of a file of " + count + "); only 0 selects from the end, the last line";
    } else if (lines == 0) {
      detail = "the file has no lines (it is empty, or its first byte is zero), so LINE=" + std::to_string(line_) +
               " has none to select";
    } else {
      detail = "LINE=" + std::to_string(line_) + " asks for line " + std::to_string(index + 1) + " but the file has " +
               count;
    }
    Add("line", detail, {{"index", index}, {"lines", lines}});
  }

  void OnCut(std::int64_t start, std::int64_t length, std::string_view line, std::string_view cut,
             const TCutReport& report) override {
    std::string detail = "START=" + std::to_string(start) + " LENGTH=" + std::to_string(length) +
                         (length == -1 ? " (to the end of the line)" : "");
    if (cut.empty()) {
      detail += " cuts nothing";
    } else {
      detail += " takes " + ByteRange(static_cast<std::size_t>(cut.data() - line.data()) + 1, cut.size()) +
                " of the line: " + Quoted(cut);
    }
    if (report.StartBelowOne) detail += "; START below 1 begins at byte 1 and does not shorten the length";
    if (report.StartPastEnd) detail += "; START lies past the end of the line (" + Bytes(line.size()) + ")";
    if (report.NegativeCount && length != -1) detail += "; a negative LENGTH other than -1 cuts nothing";
    if (report.StoppedAtEnd && length != -1) detail += "; the line ends first, at byte " + std::to_string(line.size());
    Add("cut", detail,
        {{"start", start},
         {"length", length},
         {"text", std::string(cut)},
         {"first", cut.empty() ? 0 : cut.data() - line.data() + 1},
         {"size", cut.size()}});
  }

  void OnNumberTest(std::string_view cut, bool isNumber, const TNumberReport& report) override {
    const std::string separator = std::string("decimal separator \"") + report.Separator + "\"";
    std::string detail;
    if (isNumber) {
      detail = Quoted(cut) + " reads as a number (" + separator + ")";
    } else if (report.OutOfRange) {
      detail = Quoted(cut) + " is written as a number but lies beyond the range of numbers, so it is text";
    } else if (cut.empty()) {
      detail = "an empty cut is text";
    } else {
      detail = Quoted(cut) + " is text: it stops being a number at byte " + std::to_string(report.StoppedAt + 1) +
               (report.StoppedAt < cut.size() ? " (" + Quoted(cut.substr(report.StoppedAt, 1)) + ")" : "") +
               ", under the " + separator + "; blanks around the number are allowed, nothing else";
    }
    Add("number", detail,
        {{"text", std::string(cut)},
         {"isNumber", isNumber},
         {"separator", std::string(1, report.Separator)},
         {"stoppedAt", isNumber ? TJson() : TJson(report.StoppedAt + 1)}});
  }

 private:
  void Add(const char* step, std::string detail, TJson values) {
    Steps.push_back({step, std::move(detail), std::move(values)});
  }

  std::map<TQueryKey, std::int32_t> setBy_;  // key to the pair that last set it
  std::int32_t line_ = 1;
};

TExplainStep AnswerStep(const TQueryOutcome& outcome) {
  const std::string result = ResultName(outcome.Result);
  TJson values = {{"hr", result}};
  std::string detail = result;
  if (outcome.Result != hr::Ok) {
    detail += ", last-error text " + Quoted(outcome.Error);
    values["error"] = outcome.Error;
  } else if (outcome.ValueKind == descriptor::kNumberKind) {
    detail += ", kind 0, number " + FormatNumber(outcome.Number);
    values["kind"] = outcome.ValueKind;
    values["number"] = std::isinf(outcome.Number) ? TJson(FormatNumber(outcome.Number)) : TJson(outcome.Number);
  } else {
    detail += ", kind 1, text " + Quoted(outcome.Text);
    values["kind"] = outcome.ValueKind;
    values["text"] = outcome.Text;
  }
  return {"answer", "the host receives " + detail, std::move(values)};
}
}  // namespace

TExplained Explain(const std::string& params) {
  TExplanation explanation;
  TPlugIn plugIn;
  plugIn.SetQueryObserver(&explanation);
  TExplained explained;
  explained.Outcome = AskQuery(plugIn, params);
  explained.Steps = std::move(explanation.Steps);
  explained.Steps.push_back(AnswerStep(explained.Outcome));
  return explained;
}

std::string PlainExplanation(const TExplained& explained) {
  std::string out;
  for (const TExplainStep& step : explained.Steps) out += step.Step + ": " + step.Detail + "\n";
  return out;
}

TJson JsonExplanation(const TExplained& explained) {
  TJson steps = TJson::array();
  for (const TExplainStep& step : explained.Steps) {
    TJson entry = {{"step", step.Step}, {"detail", step.Detail}};
    for (const auto& [key, value] : step.Values.items()) entry[key] = value;
    steps.push_back(std::move(entry));
  }
  return steps;
}

}  // namespace filedata::tool
