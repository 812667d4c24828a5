#include <gtest/gtest.h>

#include <string>

#include "tools/plugin-host/HostReport.h"

namespace filedata::host {
namespace {

tool::TQueryOutcome Outcome(HResult result, std::uint8_t kind, double number, std::string text, std::string error) {
  tool::TQueryOutcome outcome;
  outcome.Result = result;
  outcome.ValueKind = kind;
  outcome.Number = number;
  outcome.Text = std::move(text);
  outcome.Error = std::move(error);
  return outcome;
}

TEST(HostReport, AnswerLineShowsCodeKindAndValueOrTheLastError) {
  const struct {
    tool::TQueryOutcome outcome;
    const char* plain;
  } cases[] = {
      {Outcome(hr::Ok, 0, 42.5, "", ""), "S_OK, kind 0, number 42.5"},
      {Outcome(hr::Ok, 1, 7, " 42.5 C ", ""), "S_OK, kind 1, text \" 42.5 C \""},
      {Outcome(hr::Ok, 1, 0, "", ""), "S_OK, kind 1, text \"\""},
      // A failed query's outputs are not answers, whatever they hold.
      {Outcome(hr::Fail, 0, 3, "stale", "List index out of bounds (8)"),
       "E_FAIL, last error \"List index out of bounds (8)\""},
  };
  for (const auto& c : cases) EXPECT_EQ(PlainQueryAnswer(c.outcome), c.plain);
}

TEST(HostReport, QueryAndUnloadAnswerAppearOnlyWhenAsked) {
  THostReport report;
  report.Description.Name = "Filedata";
  const std::string bareJson = tool::JsonText(JsonHostReport(report));
  const std::string barePlain = PlainHostReport(report);
  EXPECT_EQ(bareJson, "{\"description\":" + tool::JsonText(tool::JsonDescription(report.Description)) + "}");
  EXPECT_EQ(barePlain, tool::PlainDescription(report.Description));

  report.Query = THostQuery{"LINE=9", Outcome(hr::Fail, 1, 0, "", "List index out of bounds (8)")};
  report.CanUnloadNow = hr::False;
  const std::string json = tool::JsonText(JsonHostReport(report));
  EXPECT_NE(json.find(R"x(,"params":"LINE=9","answer":{"hr":"E_FAIL","error":"List index out of bounds (8)"},)x"
                      R"x("canUnloadNow":"S_FALSE"})x"),
            std::string::npos)
      << json;
  const std::string plain = PlainHostReport(report);
  EXPECT_NE(plain.find("\n\nQuery            LINE=9\nAnswer           E_FAIL, last error "
                       "\"List index out of bounds (8)\"\nDllCanUnloadNow  S_FALSE\n"),
            std::string::npos)
      << plain;
}

}  // namespace
}  // namespace filedata::host
