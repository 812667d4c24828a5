#include <gtest/gtest.h>

#include <string>

#include "plugin/PlugIn.h"
#include "tests/support/HostTexts.h"
#include "explain/JsonWriting.h"
#include "tools/common/Description.h"

namespace filedata::tool {
namespace {

TEST(Describe, JsonKeepsEveryTextIntactAndTellsUnwrittenEditorTexts) {
  TPlugIn plugIn;
  const std::string json = JsonDescription(Describe(plugIn, TLastErrorQuestion::Skip));
  // Each text as JSON writes it: quotes escaped, nothing else changed.
  const auto quoted = [](const char* text) { return JsonString(text); };
  const std::string fragments[] = {
      R"({"name":)" + quoted(testing::kExpectedName) + R"(,"versionA":)" + std::to_string(testing::kExpectedVersionA) +
          R"(,"versionB":)" + std::to_string(testing::kExpectedVersionB) + R"(,"about":[{"key":)" +
          quoted(testing::kExpectedAbout[0].Key),
      R"("description":)" + quoted(testing::kExpectedBasicParams[0].Description) + R"(,"editorKind":5,"editorText":""})",
      R"("description":)" + quoted(testing::kExpectedAdvancedParams[1].Description) +
          R"(,"editorKind":0,"editorText":null})",
      R"(]}],"updateLocation":)" + quoted(testing::kExpectedUpdateLocation) + "}",
  };
  for (const std::string& fragment : fragments) EXPECT_NE(json.find(fragment), std::string::npos) << fragment;
  EXPECT_EQ(json.front(), '{');
  EXPECT_EQ(json.find('\n'), std::string::npos);
}

}  // namespace
}  // namespace filedata::tool
