#pragma once
// An observer that records every step a query tells it, copying what each
// step hands over, so a test can hold an observed query against the same
// query unobserved: the steps a query reports must not change its answer.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "query/QueryObserver.h"

namespace filedata::testing {

class TRecordingObserver final : public TQueryObserver {
 public:
  std::vector<std::string> Steps;

  void OnPair(const TPair& pair) override {
    Record("pair", std::string(pair.Text) + "|" + std::string(pair.Key) + "|" + std::string(pair.Value));
  }
  void OnParameters(const TQueryParameters& query) override {
    Record("parameters", query.FileName + "|" + std::to_string(query.Line) + "|" + std::to_string(query.Start) +
                             "|" + std::to_string(query.Length));
  }
  void OnPresence(const std::string& fileName, const platform::TPresenceTest& test) override {
    Record("presence", fileName + "|" + test.Entry + "|" + std::to_string(static_cast<int>(test.Result)));
  }
  void OnEncoding(const TTextMark& mark) override {
    Record("encoding", std::to_string(static_cast<int>(mark.Encoding)) + (mark.Utf8Mark ? "|utf8" : ""));
  }
  void OnTextEnd(const TTextEnd& end) override {
    Record("end", std::to_string(end.EndedByZero) + "|" + std::to_string(end.ZeroAt) + "|" +
                      std::to_string(end.BytesAfter) + "|" + std::to_string(end.OddByteIgnored));
  }
  void OnLine(std::int64_t index, std::string_view line, std::uint64_t linesRead) override {
    Record("line", std::to_string(index) + "|" + std::string(line) + "|" + std::to_string(linesRead));
  }
  void OnNoLine(std::int64_t index, std::uint64_t lines) override {
    Record("no line", std::to_string(index) + "|" + std::to_string(lines));
  }
  void OnCut(std::int64_t start, std::int64_t length, std::string_view line, std::string_view cut,
             const TCutReport& report) override {
    Record("cut", std::to_string(start) + "|" + std::to_string(length) + "|" + std::string(line) + "|" +
                      std::string(cut) + "|" + std::to_string(report.StartBelowOne) +
                      std::to_string(report.StartPastEnd) + std::to_string(report.NegativeCount) +
                      std::to_string(report.StoppedAtEnd));
  }
  void OnNumberTest(std::string_view cut, bool isNumber, const TNumberReport& report) override {
    Record("number", std::string(cut) + "|" + std::to_string(isNumber) + "|" + std::to_string(report.StoppedAt));
  }

 private:
  void Record(const char* step, std::string what) { Steps.push_back(std::string(step) + ": " + std::move(what)); }
};

}  // namespace filedata::testing
