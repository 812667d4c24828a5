#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "query/LastLine.h"
#include "query/LineSplitter.h"
#include "query/TextFile.h"
#include "tests/support/MemoryFile.h"
#include "tests/support/WholeLines.h"

namespace filedata {
namespace {

// Each line whole, and each piece held against the bytes its offset names
// in TEXT, the text after its mark.
class Collect : public testing::TWholeLines {
 public:
  explicit Collect(std::string_view text = {}) : text_(text) {}
  bool OnPiece(std::string_view units, std::uint64_t at, bool ends) override {
    misplaced += text_.substr(at, units.size()) != units;
    return TWholeLines::OnPiece(units, at, ends);
  }
  bool OnLine(std::string_view line) override {
    lines.emplace_back(line);
    return true;
  }
  std::vector<std::string> lines;
  int misplaced = 0;

 private:
  std::string_view text_;
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
    {"t\tab\x1A\x80\xFF\n", {"t\tab\x1A\x80\xFF"}},
    {"one two three four five six\nseven eight nine ten\r\n\r\nend", {"one two three four five six", "seven eight nine ten", "", "end"}},
    {"a\r\n\nb\r", {"a", "", "b"}},
    {"\r\r\n\n\r", {"", "", "", ""}},
    {std::string(70, 'x') + "\r\n" + std::string(40, 'y') + "\r", {std::string(70, 'x'), std::string(40, 'y')}},
    {std::string(90, 'z') + "\n\r", {std::string(90, 'z'), ""}},
};

// The same text stored as ENCODING, each byte one code unit, after its mark.
std::string Stored(std::string_view text, TTextEncoding encoding) {
  if (encoding == TTextEncoding::EightBit) return std::string(text);
  std::string stored = encoding == TTextEncoding::Utf16LE ? "\xFF\xFE" : "\xFE\xFF";
  for (const char c : text) stored += encoding == TTextEncoding::Utf16LE ? std::string{c, '\0'} : std::string{'\0', c};
  return stored;
}
Lines StoredLines(const Lines& lines, TTextEncoding encoding) {
  Lines stored;
  for (const std::string& line : lines) stored.push_back(Stored(line, encoding).substr(encoding == TTextEncoding::EightBit ? 0 : 2));
  return stored;
}

// The lines of FILE read in READS, and its end found without splitting.
struct TSplit {
  Lines lines;
  int misplaced = 0;  // pieces not where their offsets say
  bool hasLast = false;
  std::string last;
  std::uint64_t count = 0;
};
TSplit Split(const std::string& file, const std::vector<std::size_t>& reads) {
  TSplit split;
  {
    testing::TMemoryFile memory(file);
    TFileText text(memory.ReadsOf(reads), "memory");
    Collect sink(std::string_view(file).substr(text.Mark().Size));
    TLineSplitter splitter(text.Units(), sink);
    if (text.Feed(splitter)) splitter.Finish();
    split.lines = sink.lines;
    split.misplaced = sink.misplaced;
  }
  {
    testing::TMemoryFile memory(file);
    TFileText text(memory.ReadsOf(reads), "memory");
    TLastLineScanner last(text.Units());
    text.Feed(last);
    split.hasLast = last.HasLines();
    const TUnitSpan span = last.LastLine();  // after the mark
    split.last = file.substr(text.Mark().Size + span.Begin, span.End - span.Begin);
  }
  testing::TMemoryFile memory(file);
  TFileText text(memory.ReadsOf(reads), "memory");
  TLineCounter counter(text.Units());
  text.Feed(counter);
  split.count = counter.LineCount();
  return split;
}

// Read boundaries must not change the lines: every split into two or three
// reads gives what the whole text gives, in 8 bits and stored as UTF-16 in
// either order (where a read may end in the middle of a unit). The searches
// that skip the lines must end where the splitter does.
TEST(TLineSplitter, ReadBoundariesChangeNothingAndTheEndIsFoundWithoutSplitting) {
  for (const TTextEncoding encoding : {TTextEncoding::EightBit, TTextEncoding::Utf16LE, TTextEncoding::Utf16BE}) {
    for (const auto& c : kSplitCases) {
      const std::string file = Stored(c.text, encoding);
      const Lines expected = StoredLines(c.lines, encoding);
      for (std::size_t i = 1; i <= file.size(); ++i) {
        for (std::size_t j = i; j <= file.size(); ++j) {
          const TSplit split = Split(file, {i, j - i, file.size()});
          const auto where = ::testing::PrintToString(file) + " read in " + std::to_string(i) + ", " + std::to_string(j - i);
          ASSERT_EQ(split.lines, expected) << where;
          ASSERT_EQ(split.misplaced, 0) << where;
          ASSERT_EQ(split.hasLast, !expected.empty()) << where;
          ASSERT_EQ(split.hasLast ? split.last : "", expected.empty() ? "" : expected.back()) << where;
          ASSERT_EQ(split.count, expected.size()) << where;
        }
      }
    }
  }
}

TEST(TLineSplitter, StopsWhenTheSinkIsSatisfied) {
  struct FirstOnly : testing::TWholeLines {
    bool OnLine(std::string_view line) override {
      lines.emplace_back(line);
      return false;
    }
    Lines lines;
  } sink;
  TLineSplitter splitter(UnitSearches(TTextEncoding::EightBit), sink);
  EXPECT_FALSE(splitter.OnUnits("a\nb\nc"));
  EXPECT_FALSE(splitter.OnUnits("more\n"));
  splitter.Finish();
  EXPECT_EQ(sink.lines, Lines{"a"});
}

}  // namespace
}  // namespace filedata
