// The platform seam, each side on its own system: the presence test's rules
// (folders, wildcards, stamps outside 1980-2107), full paths, the trimmed
// system texts.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>

#ifdef _WIN32
#include <sys/utime.h>
#else
#include <utime.h>
#endif

#include "platform/Platform.h"
#include "platform/Utf8Characters.h"
#include "tests/support/ScratchFolder.h"

namespace filedata {
namespace {

using testing::ScratchFolderTest;

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

class FileIsPresentTest : public ScratchFolderTest {};

TEST_F(FileIsPresentTest, SeesFilesButNotFoldersOrOddStamps) {
  const std::string file = Write("data.txt", "1\n");
  std::filesystem::create_directory(Dir() / "folder");
  const std::string old = Write("old.txt", "1\n");
  Restamp(old, -kFiftyYears);
  const std::string future = Write("future.txt", "1\n");
  Restamp(future, kHundredYears);
  using platform::TPresence;
  using platform::TFileFailure;
  const struct {
    std::string name;
    TPresence result;
    std::string entry;  // the entry the test looked at
    TFileFailure failure = TFileFailure::NotFound;  // why, for NoEntry
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
      // Longer than either system takes, as a whole or as one part.
      {PathOf(std::string(300, 'n') + ".txt"), TPresence::NoEntry, "", TFileFailure::NameTooLong},
  };
  for (const auto& c : cases) {
    const platform::TPresenceTest test = platform::TestPresence(c.name);
    EXPECT_EQ(test.Result, c.result) << c.name;
    EXPECT_EQ(test.Entry, c.entry) << c.name;
    if (c.result == TPresence::NoEntry) {
      EXPECT_EQ(test.Failure, c.failure) << c.name << ", code " << test.ErrorCode;
    }
  }
}

TEST_F(FileIsPresentTest, ReadOnlyFilesArePresent) {
  const std::string file = Write("ro.txt", "1\n");
  std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  EXPECT_EQ(platform::TestPresence(file).Result, platform::TPresence::Present);
  std::filesystem::permissions(file, std::filesystem::perms::owner_all);
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
  EXPECT_EQ(std::filesystem::path(platform::FullPathOf(longName)), std::filesystem::current_path() / longName);
}

// Where a walk over UTF-8 text steps: a well-formed sequence whole, and any
// byte that starts none alone, so a broken text never hides its bytes.
TEST(Utf8CharacterSize, StepsOverWellFormedSequencesOnly) {
  const struct {
    const char* bytes;
    std::size_t size;
  } cases[] = {
      {"A", 1},
      {"\xC2\xB0", 2},              // the degree sign, as Notepad saves it
      {"\xE6\xB8\xA9", 3},          // a CJK character
      {"\xF0\x9F\x8C\xA1", 4},      // a character past the BMP
      {"\xC2", 1},                  // cut short at the end of the text
      {"\xC2" "A", 1},              // no continuation
      {"\xC0\x80", 1},              // overlong
      {"\xE0\x80\x80", 1},          // overlong
      {"\xED\xA0\x80", 1},          // a surrogate
      {"\xF4\x90\x80\x80", 1},      // past U+10FFFF
      {"\xB0", 1},                  // a lone continuation byte
      {"\xFF", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::Utf8CharacterSize(c.bytes, 0), c.size) << c.bytes;
  }
#ifndef _WIN32
  EXPECT_EQ(platform::CharacterSize("x\xE6\xB8\xA9", 1), 3u) << "the POSIX side's host text is UTF-8";
#endif
}

}  // namespace
}  // namespace filedata
