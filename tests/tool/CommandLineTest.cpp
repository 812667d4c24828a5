// The filedata command's options: what it accepts and what it refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/filedata/CommandLine.h"

namespace filedata::tool {
namespace {

TEST(CommandLine, ParsesOptionsAndRefusesMisuse) {
  std::string error;
  const auto line = ParseCommandLine({"--json", "--watch", "0.5", "FILENAME=x"}, error);
  ASSERT_TRUE(line);
  EXPECT_TRUE(line->Json);
  EXPECT_EQ(line->WatchSeconds, 0.5);
  EXPECT_EQ(line->Params, "FILENAME=x");

  const auto dashed = ParseCommandLine({"--", "--odd"}, error);
  ASSERT_TRUE(dashed);
  EXPECT_EQ(dashed->Params, "--odd");

  const std::vector<std::vector<std::string>> misuse = {
      {}, {"--json"}, {"--watch"}, {"--watch", "0", "P"}, {"--watch", "-1", "P"},
      {"--watch", "x", "P"}, {"--bogus", "P"}, {"P", "Q"},
  };
  for (const auto& args : misuse) {
    error.clear();
    EXPECT_FALSE(ParseCommandLine(args, error)) << ::testing::PrintToString(args);
    EXPECT_FALSE(error.empty());
  }
}

TEST(CommandLine, DescribeTakesNoParamsWithIt) {
  const struct {
    std::vector<std::string> args;
    bool accepted;
  } cases[] = {
      {{"--describe"}, true},
      {{"--json", "--describe"}, true},
      {{"--describe", "FILENAME=x.txt"}, false},
      {{"--describe", "--watch", "1"}, false},
  };
  for (const auto& c : cases) {
    std::string error;
    const auto line = ParseCommandLine(c.args, error);
    EXPECT_EQ(line.has_value(), c.accepted) << c.args.back() << " " << error;
    EXPECT_TRUE(!line || line->Describe);
  }
}

}  // namespace
}  // namespace filedata::tool
