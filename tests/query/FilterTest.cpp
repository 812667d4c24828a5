#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "query/Filter.h"

namespace filedata {
namespace {

struct FieldCase {
  std::string text;
  std::string separator;
  bool caseSensitive;
  std::vector<std::string> fields;  // fields 1..count
};

const FieldCase kCases[] = {
    {"", "|", true, {}},
    {"abc", "|", true, {"abc"}},
    {"|", "|", true, {"", ""}},
    {"a|b|c", "|", true, {"a", "b", "c"}},
    {"a||c", "|", true, {"a", "", "c"}},
    {"a|b|", "|", true, {"a", "b", ""}},
    {"|b", "|", true, {"", "b"}},
    {"FILENAME=C:\\x=y.txt", "=", true, {"FILENAME", "C:\\x", "y.txt"}},
    {"=value", "=", true, {"", "value"}},
    {"aXbxc", "x", false, {"a", "b", "c"}},
    {"aXbxc", "x", true, {"aXb", "c"}},
    {"Key=Value", "=", false, {"Key", "Value"}},
    {"a===b", "==", true, {"a", "", "b"}},
    {"ab", "", true, {"", "a", "b"}},
    {"a<>b<>", "<>", true, {"a", "b", ""}},
    {"a<", "<>", true, {"a<"}},
};

TEST(Filter, CountsAndExtractsFields) {
  for (const auto& c : kCases) {
    const auto count = static_cast<std::int32_t>(c.fields.size());
    EXPECT_EQ(FieldCount(c.text, c.separator, c.caseSensitive), count) << c.text << " at " << c.separator;
    for (std::int32_t i = 1; i <= count; ++i) {
      EXPECT_EQ(ExtractField(c.text, i, c.separator, c.caseSensitive), c.fields[i - 1])
          << c.text << " field " << i << " at " << c.separator;
    }
    EXPECT_EQ(ExtractField(c.text, count + 1, c.separator, c.caseSensitive), "");
  }
}

TEST(Filter, IndexBelowOneIsEmpty) {
  EXPECT_EQ(ExtractField("abc", 0, "|", true), "");
  EXPECT_EQ(ExtractField("a|b", -1, "|", true), "");
}

TEST(Filter, ForEachFieldStopsWhenAsked) {
  std::vector<std::string> seen;
  ForEachField("a|b|c", "|", true, [&](std::int32_t, std::string_view field) {
    seen.emplace_back(field);
    return seen.size() < 2;
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "b"}));
}

}  // namespace
}  // namespace filedata
