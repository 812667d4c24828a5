#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/filedata/CommandLine.h"
#include "descriptor/Descriptor.h"
#include "tools/common/Description.h"

namespace filedata::tool {
namespace {

TEST(Describe, JsonKeepsEveryTextIntactAndTellsUnwrittenEditorTexts) {
  TDescriptor plugIn;
  const std::string json = JsonText(JsonDescription(Describe(plugIn, false)));
  const char* const fragments[] = {
      R"({"name":"Filedata","versionA":501,"versionB":500,"about":[{"key":"Programmed By",)",
      R"("description":"Full path to the file you want to poll data from","editorKind":5,"editorText":""})",
      R"("description":"Will read from \"Start\" Char and \"Length\" forward","editorKind":0,"editorText":null})",
      R"(]}],"updateLocation":"http://qelt.example.com/update/filedata.upd"})",
  };
  for (const char* fragment : fragments) EXPECT_NE(json.find(fragment), std::string::npos) << fragment;
  EXPECT_EQ(json.front(), '{');
  EXPECT_EQ(json.find('\n'), std::string::npos);
}

TEST(Describe, CommandLineTakesNoParamsWithIt) {
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
