#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>  // mkfifo
#endif

#include "platform/Platform.h"
#include "query/Errors.h"
#include "query/FileView.h"
#include "query/LineSelection.h"
#include "query/LineSplitter.h"
#include "query/TextFile.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/MemoryFile.h"
#include "tests/support/WholeLines.h"
#include "tests/support/WindowsProgramFiles.h"

namespace filedata {
namespace {

using testing::ScratchFolderTest;
using Lines = std::vector<std::string>;

// Every line of the file NAME, as the host's text.
Lines LinesOf(const std::string& name) {
  platform::TReadOnlyFile file;
  OpenTextFile(name, file);
  TFileText text(file, name);
  struct TCollect final : testing::TWholeLines {
    explicit TCollect(const TFileText& text) : text(text) {}
    bool OnLine(std::string_view line) override {
      lines.push_back(text.HostText(std::string(line)));
      return true;
    }
    const TFileText& text;
    Lines lines;
  } collected(text);
  TLineSplitter splitter(text.Units(), collected);
  if (text.Feed(splitter)) splitter.Finish();
  return collected.lines;
}

class ReadTextFileTest : public ScratchFolderTest {};

// Opening NAME, which must fail: the message raised, and what an observer
// was told just before.
struct TOpenRefused {
  std::string Message;
  TOpenFailure Told;
  int TimesTold = 0;
};
TOpenRefused OpenRefused(const std::string& name) {
  struct TTold final : TTextObserver {
    void OnOpenFailure(const TOpenFailure& failure) override {
      refused.Told = failure;
      ++refused.TimesTold;
    }
    TOpenRefused refused;
  } told;
  platform::TReadOnlyFile file;
  try {
    OpenTextFile(name, file, &told);
    ADD_FAILURE() << "opened " << name;
  } catch (const EFOpenError& e) {
    told.refused.Message = e.Message();
  }
  return told.refused;
}

TEST_F(ReadTextFileTest, ReadsTheBytesAsTheyAre) {
  const struct {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"", {}},
      {std::string("\0\n1\n", 4), {}},
      {"10\r\n20\r\n30", {"10", "20", "30"}},
      {"\xEF\xBB\xBF" "5\n", {"\xEF\xBB\xBF" "5"}},
      {std::string("\xFF\xFE" "A\0", 4), {"A"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LinesOf(Write("f.txt", c.bytes)), c.lines) << ::testing::PrintToString(c.bytes);
  }
}

TEST_F(ReadTextFileTest, LongFilesCrossManyReadChunks) {
  std::string bytes;
  Lines expected;
  for (int i = 0; i < 100000; ++i) {
    expected.push_back("line " + std::to_string(i));
    bytes += expected.back() + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
  }
  EXPECT_EQ(LinesOf(Write("long.txt", bytes)), expected);
}

TEST_F(ReadTextFileTest, OpenFailureNamesTheFullPath) {
  const std::string missing = PathOf("missing.txt");
  const TOpenRefused refused = OpenRefused(missing);
  const std::string prefix = "Cannot open file \"" + platform::FullPathOf(missing) + "\". ";
  EXPECT_EQ(refused.Message.substr(0, prefix.size()), prefix);
  EXPECT_GT(refused.Message.size(), prefix.size()) << "no system text";
  EXPECT_NE(refused.Message.back(), '.');
  // An observer learns the system's code and its kind, once.
  EXPECT_EQ(refused.TimesTold, 1);
  EXPECT_EQ(refused.Told.FullPath, platform::FullPathOf(missing));
  EXPECT_EQ(refused.Message, prefix + platform::SystemErrorText(refused.Told.Code));
  EXPECT_EQ(refused.Told.Kind, platform::TFileFailure::NotFound);
}

TEST_F(ReadTextFileTest, AWildcardNameIsPresentButCannotBeOpened) {
  Write("w1.txt", "1\n");
  const std::string pattern = PathOf("w*.txt");
  ASSERT_EQ(platform::TestPresence(pattern).Result, platform::TPresence::Present);
  EXPECT_THROW(LinesOf(pattern), EFOpenError);
}

TEST_F(ReadTextFileTest, AFileHeldOpenForWritingIsRefused) {
#ifndef _WIN32
  GTEST_SKIP() << "POSIX has no share modes";
#else
  const std::string file = Write("busy.txt", "1\n");
  std::ofstream writer(file, std::ios::app);
  ASSERT_TRUE(writer.is_open());
  const TOpenRefused refused = OpenRefused(file);
  const std::uint32_t kSharingViolation = 32;
  EXPECT_EQ(refused.Message, "Cannot open file \"" + platform::FullPathOf(file) + "\". " + platform::SystemErrorText(kSharingViolation));
  EXPECT_EQ(refused.Told.Code, kSharingViolation);
  EXPECT_EQ(refused.Told.Kind, platform::TFileFailure::SharingViolation);
#endif
}

TEST_F(ReadTextFileTest, NonRegularFilesReadAsEmptyWithoutBlocking) {
#ifdef _WIN32
  GTEST_SKIP() << "no FIFOs";
#else
  const std::string fifo = PathOf("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(LinesOf(fifo), Lines{});  // no writer: must not wait for one
#endif
}

// A file that delivers its bytes three at a time and then, at FAILAT,
// fails the way a disk or a network drive that went away does.
TEST(TFileText, AFailedReadIsAnErrorNotTheEndOfTheFile) {
  const std::string bytes = "a\nb\nc\n";
  constexpr std::size_t kNever = testing::TMemoryFile::kNever;
  const struct {
    std::int32_t line;
    std::uint64_t size;
    std::size_t failAt;
    const char* answer;  // null: the read failure is raised
  } cases[] = {
      {0, bytes.size(), kNever, "c"},
      {0, bytes.size(), 4, nullptr},  // after "a\nb\n": "b" would be a wrong last line
      {-1, bytes.size(), 4, nullptr},
      {1, bytes.size(), 4, "a"},  // found before the failure, which is never reached
      {0, bytes.size() + 9, bytes.size(), nullptr},
      {0, bytes.size() + 9, kNever, "c"},  // shrank since it was opened: only what came counts
  };
  for (const auto& c : cases) {
    testing::TMemoryFile file(bytes);
    file.ReadsOf({3}).Claiming(c.size).FailingAt(c.failAt);
    SCOPED_TRACE(::testing::Message() << "LINE=" << c.line << ", failing at " << c.failAt);
    TReadFacts facts;
    try {
      const std::string line = SelectLine(file, "flaky.txt", c.line, TLineKeep(), facts).Cut;
      EXPECT_NE(c.answer, nullptr) << "answered " << line;
      if (c.answer) {
        EXPECT_EQ(line, c.answer);
      }
    } catch (const EReadError& e) {
      EXPECT_EQ(c.answer, nullptr);
      EXPECT_EQ(e.Message(), "Cannot read file \"" + platform::FullPathOf("flaky.txt") + "\". " +
                                 platform::SystemErrorText(testing::TMemoryFile::kErrorCode));
    }
  }
}


// "text" for a line numbered both ways, "3|text" from the start only,
// "~0|text" from the end only, "...+" for a line cut short.
std::vector<std::string> Shown(const std::vector<TViewLine>& lines) {
  std::vector<std::string> shown;
  for (const TViewLine& line : lines) {
    std::string row = line.Number ? std::to_string(line.Number) : "";
    row += line.FromEnd >= 0 ? "~" + std::to_string(line.FromEnd) : "";
    shown.push_back(row + "|" + line.Text + (line.CutShort ? "+" : ""));
  }
  return shown;
}

// What LINE's own read learnt of FILE, as a query leaves the file for its view.
TReadFacts FactsOf(platform::TFileReader& file, std::int32_t line) {
  TReadFacts facts;
  try {
    SelectLine(file, "view.txt", line, TLineKeep(), facts);
  } catch (const EStringListError&) {  // a LINE past the end learns as much
  }
  return facts;
}

// The view lists only lines the query reads, numbered and placed from the
// end as LINE gives them, before the end the query finds: learnt from the
// query's read when it went that far, else counted.
TEST(TFileView, ListsTheLinesTheQueryReadsAsLineNumbersThem) {
  TViewLimits small;  // a "long" text of a few bytes
  small.HeadLines = 2;
  small.TailLines = 2;
  small.ReadThroughBytes = 16;
  small.HeadBytes = 12;
  small.TailBytes = 12;
  TViewLimits shortLines = small;
  shortLines.LineBytes = 3;
  const std::string lines5 = "line1\nline2\nline3\nline4\nline5\n";
  const std::string zeroInMiddle = "line1\nline2\nline3\n" + std::string("x\0y\nlast", 8);
  const std::string longLast = "a\nb\n" + std::string(30, 'c');
  const std::string longFirst = std::string(20, 'x') + "\nlast";
  const std::optional<std::uint64_t> uncounted;
  const struct {
    std::string bytes;
    TViewLimits limits;
    std::vector<std::int32_t> lines;  // the LINE forms whose read the view starts from
    Lines head, tail;
    std::optional<std::uint64_t> count;
  } cases[] = {
      {"a\r\nb\r\nc\r\n", small, {1, 0, -1}, {"1~2|a", "2~1|b"}, {"3~0|c"}, 3},
      {"1\n2\n3\n4\n5", small, {2, 0}, {"1~4|1", "2~3|2"}, {"4~1|4", "5~0|5"}, 5},
      {std::string("ab\0cd\nef\n", 9), small, {1, 0}, {"1~0|ab"}, {}, 1},
      {"abcdef\n", shortLines, {1}, {"1~0|abc+"}, {}, 1},
      {"", small, {1, 0, -1}, {}, {}, 0},
      // Longer than 16 bytes: the first lines, the last 12 bytes' lines.
      // Counted only where the query's read counted them.
      {lines5, small, {-1, 9}, {"1~4|line1", "2~3|line2"}, {"4~1|line4", "5~0|line5"}, 5},
      {lines5, small, {1, 0}, {"1|line1", "2|line2"}, {"~1|line4", "~0|line5"}, uncounted},
      {testing::Utf16(u"ab\r\ncd\r\nef\r\n"), small, {-2}, {"1~2|ab"}, {"3~0|ef"}, 3},
      {testing::Utf16(u"ab\r\ncd\r\nef\r\n"), small, {1, 0}, {"1|ab"}, {"~0|ef"}, uncounted},
      // The zero at byte 20 ends the text for every LINE: nothing after it.
      {zeroInMiddle, small, {-3}, {"1~3|line1", "2~2|line2"}, {"3~1|line3", "4~0|x"}, 4},
      {zeroInMiddle, small, {2, 0}, {"1|line1", "2|line2"}, {"~1|line3", "~0|x"}, uncounted},
      // A last line longer than the end that is read: read from its start.
      {longLast, shortLines, {0}, {"1|a", "2|b"}, {"~0|ccc+"}, uncounted},
      {longLast, shortLines, {3}, {"1~2|a", "2~1|b"}, {"3~0|ccc+"}, 3},
      {longFirst, small, {-1}, {}, {"2~0|last"}, 2},
  };
  for (const auto& c : cases) {
    for (const std::int32_t line : c.lines) {
      SCOPED_TRACE(::testing::Message() << ::testing::PrintToString(c.bytes) << " after LINE=" << line);
      testing::TMemoryFile file(c.bytes);
      file.ReadsOf({5});
      const TReadFacts facts = FactsOf(file, line);
      const TFileView view = ReadFileView(file, "view.txt", facts, c.limits);
      EXPECT_EQ(Shown(view.Head), c.head);
      EXPECT_EQ(Shown(view.Tail), c.tail);
      EXPECT_EQ(view.LineCount, c.count);
    }
  }
}

// A file made up as it is read, of 12-byte rows, counting what it delivers.
class TMadeUpFile final : public platform::TFileReader {
 public:
  explicit TMadeUpFile(std::uint64_t size) : size_(size) {
    for (std::size_t i = 0; i < sizeof pattern_; ++i) pattern_[i] = kRow[i % kRowBytes];
  }
  std::uint64_t SizeAtOpen() const noexcept override { return size_; }
  bool Read(char* buffer, std::size_t count, std::size_t& delivered) override {
    delivered = static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - at_));
    for (std::size_t done = 0; done < delivered;) {
      const std::size_t phase = static_cast<std::size_t>((at_ + done) % kRowBytes);
      const std::size_t part = std::min(delivered - done, sizeof pattern_ - kRowBytes);
      std::memcpy(buffer + done, pattern_ + phase, part);
      done += part;
    }
    at_ += delivered;
    read_ += delivered;
    return true;
  }
  bool SeekTo(std::uint64_t offset) override {
    at_ = offset;
    return offset <= size_;
  }
  std::uint32_t ErrorCode() const noexcept override { return 0; }
  static constexpr char kRow[] = "0123456789\r\n";
  static constexpr std::size_t kRowBytes = sizeof kRow - 1;
  std::uint64_t read_ = 0;

 private:
  std::uint64_t size_;
  std::uint64_t at_ = 0;
  char pattern_[kRowBytes * 4096];
};

TEST(TFileView, ALongTextIsReadAtItsEndsOnceItsEndIsKnown) {
  // LINE=0's read found the end of this gigabyte: the view reads its two ends only.
  TMadeUpFile big(std::uint64_t{1} << 30);
  TReadFacts facts;
  facts.End.emplace().EndsAt = big.SizeAtOpen();
  const TFileView ends = ReadFileView(big, "big.txt", facts);
  ASSERT_EQ(ends.Head.size(), 100u);
  ASSERT_EQ(ends.Tail.size(), 100u);
  EXPECT_EQ(ends.Head.front().Text, "0123456789");
  EXPECT_EQ(ends.Tail.back().Text, "0123");  // 2^30 is 4 bytes past a whole row
  EXPECT_EQ(ends.Tail.back().FromEnd, 0);
  EXPECT_EQ(ends.Tail.back().Number, 0u) << "LINE=0 counts no lines";
  EXPECT_LE(big.read_, std::uint64_t{2} * 64 * 1024 + 256 * 1024 + 64 * 1024) << "read " << big.read_;

  // A read that stopped at its line: one pass finds the end, as LINE=0's does.
  TMadeUpFile passed(std::uint64_t{16} << 20);
  const TFileView placed = ReadFileView(passed, "passed.txt", TReadFacts());
  EXPECT_EQ(placed.End.EndsAt, passed.SizeAtOpen());
  EXPECT_EQ(placed.Tail.back().Text, "0123");  // 16 MiB is 4 bytes past a whole row
  EXPECT_EQ(placed.Tail.back().FromEnd, 0);
  EXPECT_LE(passed.read_, passed.SizeAtOpen() + 2 * 64 * 1024 + 256 * 1024 + 64 * 1024) << "read " << passed.read_;
}

}  // namespace
}  // namespace filedata
