#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>  // mkfifo
#endif

#include "platform/Platform.h"
#include "query/Errors.h"
#include "query/LineSelection.h"
#include "query/LineSplitter.h"
#include "query/TextFile.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/MemoryFile.h"

namespace filedata {
namespace {

using testing::ScratchFolderTest;
using Lines = std::vector<std::string>;

// Every line of the file NAME, as the host's text.
Lines LinesOf(const std::string& name) {
  platform::TReadOnlyFile file;
  OpenTextFile(name, file);
  TFileText text(file, name);
  struct TCollect final : TLineSink {
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
  try {
    LinesOf(missing);
    FAIL() << "opened a missing file";
  } catch (const EFOpenError& e) {
    const std::string prefix = "Cannot open file \"" + platform::FullPathOf(missing) + "\". ";
    EXPECT_EQ(e.Message().substr(0, prefix.size()), prefix);
    EXPECT_GT(e.Message().size(), prefix.size()) << "no system text";
    EXPECT_NE(e.Message().back(), '.');
  }
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
  try {
    LinesOf(file);
    FAIL() << "opened a file held for writing";
  } catch (const EFOpenError& e) {
    const std::uint32_t kSharingViolation = 32;
    EXPECT_EQ(e.Message(), "Cannot open file \"" + platform::FullPathOf(file) + "\". " + platform::SystemErrorText(kSharingViolation));
  }
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
    try {
      const std::string line = SelectLine(file, "flaky.txt", c.line);
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

}  // namespace
}  // namespace filedata
