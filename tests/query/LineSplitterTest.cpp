#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "query/ByteSearch.h"
#include "query/LastLine.h"
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
    {"a\r\n\nb\r", {"a", "", "b"}},
    {"\r\r\n\n\r", {"", "", "", ""}},
    {std::string(70, 'x') + "\r\n" + std::string(40, 'y') + "\r", {std::string(70, 'x'), std::string(40, 'y')}},
    {std::string(90, 'z') + "\n\r", {std::string(90, 'z'), ""}},
};

// What the line-by-line rule says of a text's end: the last line and the count.
struct TEndOfText {
  std::string lastLine;
  std::uint64_t count;
  bool operator==(const TEndOfText& other) const { return lastLine == other.lastLine && count == other.count; }
};

// Feeds the pieces of TEXT cut at I and J to SINK, empty ones too.
void FeedInThree(const std::string& text, std::size_t i, std::size_t j, TChunkSink& sink) {
  const std::string_view t(text);
  if (sink.OnBytes(t.substr(0, i)) && sink.OnBytes(t.substr(i, j - i))) sink.OnBytes(t.substr(j));
}

TEST(SplitLines, FollowsTheLineBreakRules) {
  for (const auto& c : kSplitCases) {
    Collect sink;
    SplitLines(c.text, sink);
    EXPECT_EQ(sink.lines, c.lines) << "text: " << ::testing::PrintToString(c.text);
  }
}

// Chunk boundaries must not change the lines: every split into two or
// three pieces gives what the whole text gives.
TEST(TLineSplitter, ChunkBoundariesChangeNothingAndTheEndIsFoundWithoutSplitting) {
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

        // The searches that skip the lines must end where the splitter does.
        TLastLineScanner last;
        TLineCounter counter;
        FeedInThree(t, i, j, last);
        FeedInThree(t, i, j, counter);
        const TEndOfText expected{c.lines.empty() ? "" : c.lines.back(), c.lines.size()};
        ASSERT_EQ(last.HasLines(), !c.lines.empty()) << ::testing::PrintToString(t) << " cut at " << i << "," << j;
        ASSERT_EQ((TEndOfText{last.HasLines() ? last.LastLine() : "", counter.LineCount()}), expected)
            << ::testing::PrintToString(t) << " cut at " << i << "," << j;
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

// Every search this processor can run, against the plain byte loop, on
// texts of every length up to several vector blocks with the bytes it looks
// for at random places (and high bytes whose low bits look like them).
TEST(ByteSearch, EveryKindFindsWhatTheByteLoopFinds) {
  const char alphabet[] = {'x', '\r', '\n', '\0', '\x8D', '\x8A', '\xFF'};
  std::uint32_t seed = 12345;
  const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  for (const TByteSearches* search : AvailableByteSearches()) {
    SCOPED_TRACE(search->Kind);
    for (std::size_t size = 0; size < 300; ++size) {
      for (int round = 0; round < 4; ++round) {
        std::string text(size, 'x');
        const std::uint32_t sparseness = 4u << (2 * round);  // one special byte in 4, 16, 64, 256
        for (char& c : text) c = next() % sparseness == 0 ? alphabet[next() % sizeof alphabet] : 'x';
        const char* b = text.data();
        const char* e = b + size;
        const char* lineBreak = b;
        while (lineBreak < e && *lineBreak != '\0' && *lineBreak != '\r' && *lineBreak != '\n') ++lineBreak;
        const char* zero = b;
        while (zero < e && *zero != '\0') ++zero;
        const char* lastBreak = nullptr;
        std::uint64_t ends = 0;
        for (const char* p = b; p < e; ++p) {
          if (*p == '\r' || *p == '\n') lastBreak = p;
          ends += *p == '\n' || (*p == '\r' && (p + 1 == e || p[1] != '\n'));
        }
        ASSERT_EQ(search->FindLineBreak(b, e), lineBreak) << ::testing::PrintToString(text);
        ASSERT_EQ(search->FindZeroByte(b, e), zero) << ::testing::PrintToString(text);
        ASSERT_EQ(search->FindLastLineBreak(b, e), lastBreak) << ::testing::PrintToString(text);
        ASSERT_EQ(search->CountLineEnds(b, e), ends) << ::testing::PrintToString(text);
      }
    }
  }
}

}  // namespace
}  // namespace filedata
