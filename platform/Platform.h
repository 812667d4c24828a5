#pragma once
// The one seam between the portable core and the operating system. The
// Win32 side makes the exact system calls the plug-in is known by; the POSIX
// side stands in for them with the same observable rules.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace filedata::platform {

// What the presence test found for a name.
enum class TPresence : std::uint8_t { Present, NoEntry, Directory, StampOutOfRange };

// Why the system refused to find or open a file, in the kinds an
// explanation tells apart.
enum class TFileFailure : std::uint8_t { Other, NotFound, SharingViolation, AccessDenied, NameTooLong, InvalidName };

// The kind of the system's error CODE: GetLastError's on Windows, errno's
// on POSIX.
TFileFailure FileFailureOf(std::uint32_t code) noexcept;

// The longest names the system finds and opens: in UTF-16 units on
// Windows (a character each, for the code pages of a host), in bytes on
// POSIX.
struct TNameLimits {
  std::size_t WholeName;  // the full path
  std::size_t OnePart;    // a folder's name or the file's own
  bool CountsBytes;
  const char* Name;       // the system's name for the whole name's limit
};
TNameLimits NameLimits() noexcept;

struct TPresenceTest {
  TPresence Result = TPresence::NoEntry;
  std::string Entry;  // the directory entry looked at, when an entry matched
  int Year = 0;       // the local year of its last-write time, when it was read
  // NoEntry: the system's code for why the search found nothing (0: it
  // gave none), and its kind.
  std::uint32_t ErrorCode = 0;
  TFileFailure Failure = TFileFailure::NotFound;
};

// The years a last-write time may lie in, in local time, for its file to
// count as present: those a DOS date word can hold.
inline constexpr int kFirstStampYear = 1980;
inline constexpr int kLastStampYear = 2107;

// Present when the first directory entry matching NAME (which may hold the
// wildcards * and ?) is not a directory and its last-write time, in local
// time, lies from kFirstStampYear through kLastStampYear.
TPresenceTest TestPresence(const std::string& name);

// What the reader of a file needs of it; tests stand in their own to make
// reads fail.
class TFileReader {
 public:
  virtual ~TFileReader() = default;
  // Bytes from the current position to the end as the file stood at Open;
  // 0 for anything that is not a regular file, so such a file never blocks.
  virtual std::uint64_t SizeAtOpen() const noexcept = 0;
  // Reads up to COUNT bytes into BUFFER and sets DELIVERED (0 at the end).
  // False when the read fails; ErrorCode() then holds the system's code.
  virtual bool Read(char* buffer, std::size_t count, std::size_t& delivered) = 0;
  // Moves the next read to OFFSET from the file's start, so that a view of
  // a large file reads its end without the middle. False when it fails.
  virtual bool SeekTo(std::uint64_t offset) = 0;
  virtual std::uint32_t ErrorCode() const noexcept = 0;
};

// A file opened for reading while others may read it too but not write it.
class TReadOnlyFile final : public TFileReader {
 public:
  TReadOnlyFile() = default;
  TReadOnlyFile(const TReadOnlyFile&) = delete;
  TReadOnlyFile& operator=(const TReadOnlyFile&) = delete;
  ~TReadOnlyFile() override;

  // False on failure; ErrorCode() then holds the system's error code.
  bool Open(const std::string& name);

  std::uint64_t SizeAtOpen() const noexcept override { return size_; }
  bool Read(char* buffer, std::size_t count, std::size_t& delivered) override;
  bool SeekTo(std::uint64_t offset) override;
  std::uint32_t ErrorCode() const noexcept override { return error_; }

 private:
  std::intptr_t handle_ = -1;
  std::uint64_t size_ = 0;
  std::uint32_t error_ = 0;
};

// Name expanded against the current directory, however long.
std::string FullPathOf(const std::string& name);

// The system's own text for an error code, untrimmed; empty when it has none.
std::string SystemMessageText(std::uint32_t code);

// The same without trailing blanks, line breaks or full stops, as every
// message of the library quotes it.
std::string SystemErrorText(std::uint32_t code);

// UTF-16 code units (in the host's order) as the 8-bit text the plug-in
// hands out: the system's ANSI code page on Windows, where a character it
// lacks becomes "?" (never a look-alike: an infinity sign is no 8), UTF-8 on
// POSIX. An unpaired surrogate becomes "?" or U+FFFD, as the system has it.
std::string Utf16ToHostText(std::u16string_view units);

// What Utf16ToHostText converts to, in words: "code page 1252", "UTF-8".
std::string HostTextName();

// The code page of the 8-bit text the plug-in hands out: the ANSI code page
// on Windows, 65001 (UTF-8) on POSIX.
std::uint32_t HostCodePage();

// The bytes of the character that starts at byte AT of TEXT, an 8-bit text
// of the host's code page: 2 for a double-byte character (code pages 932,
// 936, 949, 950), 2 to 4 for a UTF-8 sequence (65001), else 1, also for a
// lead byte with no byte after it. AT must start a character: a walk from
// byte 0 finds them, as a trail byte may look like a lead byte.
std::size_t CharacterSize(std::string_view text, std::size_t at) noexcept;

// The decimal separator of the calling thread's locale when it is one byte,
// else the full stop.
char ReadLocaleDecimalSeparator();

}  // namespace filedata::platform
