#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/plugin-host/HostCommandLine.h"

namespace filedata::host {
namespace {

TEST(HostCommandLine, AcceptsEitherWayToLoadWithOrWithoutAQuery) {
  const struct {
    std::vector<std::string> args;
    TLoadWay way;
    std::string path;
    bool json;
    std::optional<std::string> params;
  } cases[] = {
      {{"--dll", "x.dll"}, TLoadWay::ByPath, "x.dll", false, std::nullopt},
      {{"--json", "--dll", "x.dll", "LINE=2"}, TLoadWay::ByPath, "x.dll", true, "LINE=2"},
      {{"LINE=2", "--dll", "x.dll"}, TLoadWay::ByPath, "x.dll", false, "LINE=2"},
      {{"--clsid"}, TLoadWay::ByClassId, "", false, std::nullopt},
      {{"--clsid", "--json", "FILENAME=a.txt"}, TLoadWay::ByClassId, "", true, "FILENAME=a.txt"},
      // An empty PARAMS is a query all the same: the plug-in's answer to it is worth seeing.
      {{"--dll", "x.dll", ""}, TLoadWay::ByPath, "x.dll", false, ""},
      {{"--dll", "x.dll", "--", "--json"}, TLoadWay::ByPath, "x.dll", false, "--json"},
  };
  for (const auto& c : cases) {
    std::string error;
    const auto line = ParseHostCommandLine(c.args, error);
    ASSERT_TRUE(line) << c.args.front() << ": " << error;
    EXPECT_EQ(line->LoadWay, c.way);
    EXPECT_EQ(line->DllPath, c.path);
    EXPECT_EQ(line->Json, c.json);
    EXPECT_EQ(line->Params, c.params);
  }
}

TEST(HostCommandLine, RejectsWhatCannotBeMeantWithAReason) {
  const struct {
    std::vector<std::string> args;
    const char* reason;
  } cases[] = {
      {{}, "--dll PATH or --clsid"},
      {{"LINE=2"}, "--dll PATH or --clsid"},
      {{"--dll"}, "--dll: 1 required"},
      {{"--dll", ""}, "--dll: needs a PATH"},
      {{"--dll", "--json", "LINE=2"}, "--dll: needs a PATH"},
      {{"--dll", "a.dll", "--dll", "b.dll"}, "--dll: At Most 1"},
      {{"--dll", "a.dll", "--clsid"}, "excludes"},
      {{"--clsid", "LINE=1", "LINE=2"}, "not expected: LINE=2"},
      {{"--clsid", "--watch", "1"}, "not expected: --watch"},
      {{"--explain", "--clsid"}, "--explain needs PARAMS"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseHostCommandLine(c.args, error)) << c.reason;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
}

TEST(HostCommandLine, HelpNeedsNoWayToLoad) {
  std::string error;
  const auto line = ParseHostCommandLine({"--help"}, error);
  ASSERT_TRUE(line) << error;
  EXPECT_TRUE(line->Help);
}

}  // namespace
}  // namespace filedata::host
