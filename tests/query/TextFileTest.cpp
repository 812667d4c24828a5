#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

#ifdef _WIN32
#include <sys/utime.h>
#else
#include <sys/stat.h>
#include <utime.h>
#endif
#include <ctime>

#include "platform/Platform.h"
#include "query/Errors.h"
#include "query/LineSelection.h"
#include "query/TextFile.h"
#include "tests/query/TempDir.h"

namespace filedata {
namespace {

using testing::TempDirTest;
using Lines = std::vector<std::string>;

// Every line of the file NAME.
Lines LinesOf(const std::string& name) {
  struct TCollect final : TLineSink {
    bool OnLine(std::string_view line) override {
      lines.emplace_back(line);
      return true;
    }
    Lines lines;
  } collected;
  ReadTextFileLines(name, collected);
  return collected.lines;
}

// Through the 64-bit time call: the 32-bit MinGW runtime's std::filesystem
// stores stamps through a 32-bit time_t, which wraps a year like 2126 to 1990.
void Restamp(const std::string& path, std::chrono::hours offset) {
  const std::int64_t stamp = static_cast<std::int64_t>(std::time(nullptr)) +
                             std::chrono::duration_cast<std::chrono::seconds>(offset).count();
#ifdef _WIN32
  __utimbuf64 times{stamp, stamp};
  ASSERT_EQ(_utime64(path.c_str(), &times), 0) << path;
#else
  utimbuf times{static_cast<time_t>(stamp), static_cast<time_t>(stamp)};
  ASSERT_EQ(utime(path.c_str(), &times), 0) << path;
#endif
}

constexpr std::chrono::hours kFiftyYears{24 * 365 * 50};
constexpr std::chrono::hours kHundredYears{24 * 365 * 100};

class FileIsPresentTest : public TempDirTest {};

TEST_F(FileIsPresentTest, SeesFilesButNotFoldersOrOddStamps) {
  const std::string file = Write("data.txt", "1\n");
  std::filesystem::create_directory(Dir() / "folder");
  const std::string old = Write("old.txt", "1\n");
  Restamp(old, -kFiftyYears);
  const std::string future = Write("future.txt", "1\n");
  Restamp(future, kHundredYears);
  using platform::TPresence;
  const struct {
    std::string name;
    TPresence result;
    std::string entry;  // the entry the test looked at
  } cases[] = {
      {file, TPresence::Present, "data.txt"},
      {PathOf("folder"), TPresence::Directory, "folder"},
      {PathOf("missing.txt"), TPresence::NoEntry, ""},
      {"", TPresence::NoEntry, ""},
      {old, TPresence::StampOutOfRange, "old.txt"},
      {future, TPresence::StampOutOfRange, "future.txt"},
      {PathOf("da?a.t*"), TPresence::Present, "data.txt"},
      {PathOf("fold*"), TPresence::Directory, "folder"},
      {PathOf("nothing*"), TPresence::NoEntry, ""},
  };
  for (const auto& c : cases) {
    const platform::TPresenceTest test = platform::TestPresence(c.name);
    EXPECT_EQ(test.Result, c.result) << c.name;
    EXPECT_EQ(test.Entry, c.entry) << c.name;
  }
}

TEST_F(FileIsPresentTest, ReadOnlyFilesArePresent) {
  const std::string file = Write("ro.txt", "1\n");
  std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  EXPECT_EQ(platform::TestPresence(file).Result, platform::TPresence::Present);
  std::filesystem::permissions(file, std::filesystem::perms::owner_all);
}

class ReadTextFileTest : public TempDirTest {};

TEST_F(ReadTextFileTest, ReadsTheBytesAsTheyAre) {
  const struct {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"", {}},
      {std::string("\0\n1\n", 4), {}},
      {"10\r\n20\r\n30", {"10", "20", "30"}},
      {"\xEF\xBB\xBF" "5\n", {"\xEF\xBB\xBF" "5"}},
      {std::string("\xFF\xFE" "A\0", 4), {"\xFF\xFE" "A"}},
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

// A file that delivers its bytes a few at a time and then, at FAIL_AT,
// fails the way a disk or a network drive that went away does.
class TFaultyFile final : public platform::TFileReader {
 public:
  TFaultyFile(std::string bytes, std::uint64_t sizeAtOpen, std::size_t failAt)
      : bytes_(std::move(bytes)), size_(sizeAtOpen), failAt_(failAt) {}
  std::uint64_t SizeAtOpen() const noexcept override { return size_; }
  bool Read(char* buffer, std::size_t count, std::size_t& delivered) override {
    if (at_ >= failAt_) return false;
    delivered = std::min({count, std::size_t{3}, bytes_.size() - at_, failAt_ - at_});
    bytes_.copy(buffer, delivered, at_);
    at_ += delivered;
    return true;
  }
  std::uint32_t ErrorCode() const noexcept override { return kErrorCode; }
  static constexpr std::uint32_t kErrorCode = 5;  // an I/O error on POSIX, access denied on Windows

 private:
  std::string bytes_;
  std::uint64_t size_;
  std::size_t failAt_;
  std::size_t at_ = 0;
};

TEST(ReadChunks, AFailedReadIsAnErrorNotTheEndOfTheFile) {
  const std::string bytes = "a\nb\nc\n";
  constexpr std::size_t kNever = std::string::npos;
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
    TFaultyFile file(bytes, c.size, c.failAt);
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
                                 platform::SystemErrorText(TFaultyFile::kErrorCode));
    }
  }
}

TEST(SystemErrorText, DropsTrailingBreaksAndFullStops) {
  const std::string text = platform::SystemErrorText(2);  // no such file
  ASSERT_FALSE(text.empty());
  EXPECT_GT(static_cast<unsigned char>(text.back()), 0x20);
  EXPECT_NE(text.back(), '.');
}

TEST(FullPathOf, ExpandsRelativeNamesAgainstTheCurrentFolder) {
  const std::string full = platform::FullPathOf("some.txt");
  EXPECT_EQ(std::filesystem::path(full), std::filesystem::current_path() / "some.txt");
  const std::string longName(600, 'n');
  EXPECT_EQ(platform::FullPathOf(longName).size(), (std::filesystem::current_path() / longName).string().size());
}

}  // namespace
}  // namespace filedata
