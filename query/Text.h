#pragma once
// Byte-exact 8-bit text helpers. Positions count from 1; nothing here looks
// at the locale.
#include <cstdint>
#include <string>
#include <string_view>

namespace filedata {

// The LENGTH that cuts to the end of the line, whatever the line's length.
inline constexpr std::int32_t kLengthToLineEnd = -1;

// Which of the cut's clamping rules applied, for an explanation.
struct TCutReport {
  bool ToLineEnd = false;      // LENGTH was kLengthToLineEnd: the rest of the line
  bool StartBelowOne = false;  // began at the first byte, the count not shortened
  bool StartPastEnd = false;   // nothing to cut
  bool NegativeCount = false;  // nothing to cut
  bool StoppedAtEnd = false;   // fewer bytes were left than the count asked for
};

// Where a cut lies in its source: COUNT bytes from byte FROM, 0-based.
struct TCutRange {
  std::uint64_t From = 0, Count = 0;
};

// Cut of Count bytes from 1-based Start of a source of SIZE bytes, clamped
// to it: a Start below 1 begins at the first byte without shortening
// Count; a negative Count or a Start past the end cuts nothing. REPORT,
// when given, learns which of these applied.
TCutRange CutRangeOf(std::uint64_t size, std::int64_t start, std::int64_t count, TCutReport* report = nullptr) noexcept;
// The same of SOURCE itself.
std::string_view CutText(std::string_view source, std::int64_t start, std::int64_t count,
                         TCutReport* report = nullptr) noexcept;

// The cut a query's START and LENGTH take of a line of LINESIZE bytes:
// CutRangeOf, a LENGTH of kLengthToLineEnd taking the rest of the line.
TCutRange LineCutRange(std::uint64_t lineSize, std::int64_t start, std::int64_t length,
                       TCutReport* report = nullptr) noexcept;
// The same of LINE itself.
std::string_view CutOfLine(std::string_view line, std::int64_t start, std::int64_t length,
                           TCutReport* report = nullptr) noexcept;

constexpr char AsciiUpperByte(char c) noexcept {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 0x20) : c;
}

// Byte comparison after ASCII upper-casing both sides, without copying.
bool TextEqualsIgnoringAsciiCase(std::string_view a, std::string_view b) noexcept;

// `TextPointer`: the zero-terminated view of a text, valid while the text
// lives unchanged; never null.
inline const char* TextPointer(const std::string& text) noexcept { return text.c_str(); }

// Text made from zero-terminated text; null gives the empty text.
inline std::string_view TextFromPointer(const char* text) noexcept {
  return text ? std::string_view(text) : std::string_view();
}

// The bytes before the first zero byte.
std::string_view UpToFirstZero(std::string_view text) noexcept;

}  // namespace filedata
