#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "query/Filter.h"

namespace filedata {
namespace {

using Fields = std::vector<std::string>;

Fields FieldsOf(const std::string& text, const std::string& separator) {
  Fields fields;
  ForEachField(text, separator, [&](std::int32_t index, std::string_view field) {
    EXPECT_EQ(index, static_cast<std::int32_t>(fields.size()) + 1);
    fields.emplace_back(field);
    return true;
  });
  return fields;
}

struct FieldCase {
  std::string text;
  std::string separator;
  Fields fields;
};

const FieldCase kCases[] = {
    {"", "|", {}},
    {"abc", "|", {"abc"}},
    {"|", "|", {"", ""}},
    {"a|b|c", "|", {"a", "b", "c"}},
    {"a||c", "|", {"a", "", "c"}},
    {"a|b|", "|", {"a", "b", ""}},
    {"|b", "|", {"", "b"}},
    {"FILENAME=C:\\x=y.txt", "=", {"FILENAME", "C:\\x", "y.txt"}},
    {"=value", "=", {"", "value"}},
    {"aXbxc", "x", {"aXb", "c"}},
    {"a===b", "==", {"a", "", "b"}},
    {"ab", "", {"", "a", "b"}},
    {"a<>b<>", "<>", {"a", "b", ""}},
    {"a<", "<>", {"a<"}},
};

TEST(Filter, SplitsAtEveryMatch) {
  for (const auto& c : kCases) EXPECT_EQ(FieldsOf(c.text, c.separator), c.fields) << c.text << " at " << c.separator;
}

TEST(Filter, ForEachFieldStopsWhenAsked) {
  std::vector<std::string> seen;
  ForEachField("a|b|c", "|", [&](std::int32_t, std::string_view field) {
    seen.emplace_back(field);
    return seen.size() < 2;
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "b"}));
}

}  // namespace
}  // namespace filedata
