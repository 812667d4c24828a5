#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "query/Text.h"

namespace filedata {
namespace {

struct CutCase {
  std::string source;
  std::int64_t start;
  std::int64_t count;
  std::string expected;
};

TEST(CutText, ClampsStartAndCountToTheSource) {
  const CutCase cases[] = {
      {"abcdef", 0, 3, "abc"},    {"abcdef", -5, 2, "ab"},        {"abcdef", 3, 2, "cd"},
      {"abcdef", 6, 5, "f"},      {"abcdef", 7, 1, ""},           {"abcdef", 2, -1, ""},
      {"abcdef", 2, 0, ""},       {"", 1, 5, ""},                 {"", -3, 2147483647, ""},
      {"abcdef", 2, 2147483647, "bcdef"}, {"abcdef", INT64_MIN, 1, "a"},
      {std::string("a\0b", 3), 2, 2, std::string("\0b", 2)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CutText(c.source, c.start, c.count), c.expected) << c.source << " " << c.start << " " << c.count;
  }
}

// Only a to z change: the letters of the keys, never a byte of another code page.
TEST(TextEqualsIgnoringAsciiCase, FoldsOnlyAsciiLetters) {
  EXPECT_TRUE(TextEqualsIgnoringAsciiCase("FileName", "FILENAME"));
  EXPECT_TRUE(TextEqualsIgnoringAsciiCase("line 2 `{", "LINE 2 `{"));
  EXPECT_FALSE(TextEqualsIgnoringAsciiCase("\xE9", "\xC9"));
  EXPECT_FALSE(TextEqualsIgnoringAsciiCase("`", "@"));
  EXPECT_FALSE(TextEqualsIgnoringAsciiCase("LINE", "LINE "));
  EXPECT_FALSE(TextEqualsIgnoringAsciiCase(std::string("A\0", 2), "A"));
}

TEST(TextPointer, IsNeverNullAndViewsTheText) {
  const std::string empty;
  const std::string text = "abc";
  ASSERT_NE(TextPointer(empty), nullptr);
  EXPECT_STREQ(TextPointer(empty), "");
  EXPECT_EQ(TextPointer(text), text.data());
  EXPECT_EQ(TextFromPointer(nullptr), "");
}

}  // namespace
}  // namespace filedata
