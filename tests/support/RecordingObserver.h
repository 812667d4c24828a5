#pragma once
// An observer that records every step a query tells it, copying what each
// step hands over, so a test can hold an observed query against the same
// query unobserved (the steps a query reports must not change its answer)
// and the story the steps tell against the answer.
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "query/QueryObserver.h"

namespace filedata::testing {

// One step as told: its kind and what it handed over, as text.
struct TToldStep {
  std::string Kind;
  std::vector<std::string> Fields;
};
inline std::ostream& operator<<(std::ostream& out, const TToldStep& step) {
  out << step.Kind << ":";
  for (const std::string& field : step.Fields) out << " [" << field << "]";
  return out;
}

class TRecordingObserver final : public TQueryObserver {
 public:
  std::vector<TToldStep> Steps;

  // The steps of KIND, in the order they were told.
  std::vector<TToldStep> Of(std::string_view kind) const {
    std::vector<TToldStep> of;
    for (const TToldStep& step : Steps) {
      if (step.Kind == kind) of.push_back(step);
    }
    return of;
  }

  void OnPair(const TPair& pair) override {
    Record("pair", {std::string(pair.Text), std::string(pair.Key), std::string(pair.Value)});
  }
  void OnParameters(const TQueryParameters& query) override {
    Record("parameters", {query.FileName, std::to_string(query.Line), std::to_string(query.Start),
                          std::to_string(query.Length)});
  }
  void OnPresence(const std::string& fileName, const platform::TPresenceTest& test) override {
    Record("presence", {fileName, test.Entry, std::to_string(static_cast<int>(test.Result))});
  }
  void OnOpenFailure(const TOpenFailure& failure) override {
    Record("open failure", {failure.FullPath, std::to_string(failure.Code), std::to_string(static_cast<int>(failure.Kind))});
  }
  void OnEncoding(const TTextMark& mark) override {
    Record("encoding", {std::to_string(static_cast<int>(mark.Encoding)), mark.Utf8Mark ? "utf8" : ""});
  }
  void OnTextEnd(const TTextEnd& end) override {
    Record("end", {std::to_string(end.EndedByZero), std::to_string(end.ZeroAt), std::to_string(end.BytesAfter),
                   std::to_string(end.OddByteIgnored)});
  }
  void OnLine(std::int64_t index, const TChosenLine& line, std::uint64_t linesRead) override {
    Record("line", {std::to_string(index), line.Head, std::to_string(linesRead), std::to_string(line.Size)});
  }
  void OnNoLine(std::int64_t index, std::uint64_t lines) override {
    Record("no line", {std::to_string(index), std::to_string(lines)});
  }
  void OnCut(std::int64_t start, std::int64_t length, const TChosenLine& line) override {
    const TCutReport& report = line.Report;
    // The line's own bytes where the cut says it lies, beside the cut, when the start quoted holds them.
    const std::string at = line.CutAt <= line.Head.size() ? line.Head.substr(line.CutAt, line.Cut.size()) : "";
    Record("cut", {std::to_string(start), std::to_string(length), at, line.Cut,
                   std::to_string(report.StartBelowOne) + std::to_string(report.StartPastEnd) +
                       std::to_string(report.NegativeCount) + std::to_string(report.StoppedAtEnd)});
  }
  void OnNumberTest(std::string_view cut, bool isNumber, const TNumberReport& report) override {
    Record("number", {std::string(cut), std::to_string(isNumber), std::to_string(report.StoppedAt)});
  }

 private:
  void Record(const char* kind, std::vector<std::string> fields) { Steps.push_back({kind, std::move(fields)}); }
};

}  // namespace filedata::testing
