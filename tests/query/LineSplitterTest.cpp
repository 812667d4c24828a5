#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "query/Errors.h"
#include "query/LineSplitter.h"

namespace filedata {
namespace {

class Collect : public TLineSink {
 public:
  bool OnLine(std::string_view line) override {
    lines.emplace_back(line);
    return true;
  }
  std::vector<std::string> lines;
};

using Lines = std::vector<std::string>;
std::string Bytes(const char* text, std::size_t size) { return std::string(text, size); }

struct SplitCase {
  std::string text;
  Lines lines;
};

const SplitCase kSplitCases[] = {
    {"", {}},
    {Bytes("\0abc", 4), {}},
    {"a\r\nb\r\n", {"a", "b"}},
    {"a\n\rb", {"a", "", "b"}},
    {"a\r\r\nb", {"a", "", "b"}},
    {"a\n\n", {"a", ""}},
    {"\r\n", {""}},
    {"\n", {""}},
    {"\r", {""}},
    {"abc", {"abc"}},
    {Bytes("ab\0cd\nef", 8), {"ab"}},
    {Bytes("ab\n\0cd", 6), {"ab"}},
    {"\xEF\xBB\xBF" "42\n", {"\xEF\xBB\xBF" "42"}},
    {Bytes("\xFF\xFE" "A\0", 4), {"\xFF\xFE" "A"}},
    {"t\tab\x1A\x80\xFF\n", {"t\tab\x1A\x80\xFF"}},
    {"one two three four five six\nseven eight nine ten\r\n\r\nend", {"one two three four five six", "seven eight nine ten", "", "end"}},
};

TEST(SplitLines, FollowsTheLineBreakRules) {
  for (const auto& c : kSplitCases) {
    Collect sink;
    SplitLines(c.text, sink);
    EXPECT_EQ(sink.lines, c.lines) << "text: " << ::testing::PrintToString(c.text);
  }
}

// Chunk boundaries must not change the lines: every split into two or
// three pieces gives what the whole text gives.
TEST(TLineSplitter, ChunkBoundariesChangeNothing) {
  for (const auto& c : kSplitCases) {
    const std::string& t = c.text;
    for (std::size_t i = 0; i <= t.size(); ++i) {
      for (std::size_t j = i; j <= t.size(); ++j) {
        Collect sink;
        TLineSplitter splitter(sink);
        if (splitter.Feed(std::string_view(t).substr(0, i)) && splitter.Feed(std::string_view(t).substr(i, j - i))) {
          splitter.Feed(std::string_view(t).substr(j));
        }
        splitter.Finish();
        ASSERT_EQ(sink.lines, c.lines) << ::testing::PrintToString(t) << " cut at " << i << "," << j;
      }
    }
  }
}

TEST(TLineSplitter, StopsWhenTheSinkIsSatisfied) {
  struct FirstOnly : TLineSink {
    bool OnLine(std::string_view line) override {
      lines.emplace_back(line);
      return false;
    }
    Lines lines;
  } sink;
  TLineSplitter splitter(sink);
  EXPECT_FALSE(splitter.Feed("a\nb\nc"));
  EXPECT_FALSE(splitter.Feed("more\n"));
  splitter.Finish();
  EXPECT_EQ(sink.lines, Lines{"a"});
}

TEST(FindLineBreak, FindsEachBreakByteAtEveryOffset) {
  for (const char stop : {'\0', '\r', '\n'}) {
    for (std::size_t at = 0; at < 40; ++at) {
      std::string text(40, 'x');
      text[at] = stop;
      text[39] = '\n';
      EXPECT_EQ(FindLineBreak(text.data(), text.data() + text.size()) - text.data(), static_cast<long>(at));
    }
  }
  const std::string none(37, '\x8D');  // high bytes whose low bits look like CR
  EXPECT_EQ(FindLineBreak(none.data(), none.data() + none.size()), none.data() + none.size());
}

}  // namespace
}  // namespace filedata
