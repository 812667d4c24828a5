#include <gtest/gtest.h>

#include <string>

#include "tools/plugin-host/HostReport.h"

namespace filedata::host {
namespace {

TQueryOutcome Outcome(HResult result, std::uint8_t kind, double number, std::string text, std::string error) {
  TQueryOutcome outcome;
  outcome.Result = result;
  outcome.ValueKind = kind;
  outcome.Number = number;
  outcome.Text = std::move(text);
  outcome.Error = std::move(error);
  return outcome;
}

TEST(HostReport, QueryAndUnloadAnswerAppearOnlyWhenAsked) {
  THostReport report;
  report.Description.Name = "Filedata";
  const std::string bareJson = JsonHostReport(report);
  const std::string barePlain = PlainHostReport(report);
  EXPECT_EQ(bareJson, "{\"description\":" + tool::JsonDescription(report.Description) + "}");
  EXPECT_EQ(barePlain, tool::PlainDescription(report.Description));

  report.Query = THostQuery{"LINE=9", Outcome(hr::Fail, 1, 0, "", "List index out of bounds (8)")};
  report.CanUnloadNow = hr::False;
  const std::string json = JsonHostReport(report);
  EXPECT_NE(json.find(R"x(,"params":"LINE=9","answer":{"hr":"E_FAIL","error":"List index out of bounds (8)"},)x"
                      R"x("canUnloadNow":"S_FALSE"})x"),
            std::string::npos)
      << json;
  const std::string plain = PlainHostReport(report);
  EXPECT_NE(plain.find("\n\nQuery            LINE=9\nAnswer           E_FAIL, last-error text "
                       "\"List index out of bounds (8)\"\nDllCanUnloadNow  S_FALSE\n"),
            std::string::npos)
      << plain;
}

}  // namespace
}  // namespace filedata::host
