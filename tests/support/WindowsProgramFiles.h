#pragma once
// Files byte for byte as Windows programs write them, with the answers a
// query gives for each: natively (UTF-16 decoded to UTF-8) and on Windows
// (decoded to code page 1252, Wine's and Western Windows' ANSI code page).
// The query tests ask the core; the DLL tests ask both built DLLs.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "query/TextFile.h"

namespace filedata::testing {

// The bytes of TEXT in UTF-16, little-endian unless BIGENDIAN, after the
// mark unless WITHOUTMARK.
inline std::string Utf16(std::u16string_view text, bool bigEndian = false, bool withoutMark = false) {
  std::string bytes = withoutMark ? "" : bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

struct TAnswer {
  enum TKind { Number, Text, Failure } Kind;
  double Value = 0;
  std::string Words;  // the text, or the failure's last-error text

  static TAnswer Of(double value) { return {Number, value, ""}; }
  static TAnswer Said(std::string text) { return {Text, 0, std::move(text)}; }
  static TAnswer Failing(std::string error) { return {Failure, 0, std::move(error)}; }
};

struct TProgramQuery {
  std::string Params;              // after "FILENAME=<the file>"
  TAnswer Posix;
  std::optional<TAnswer> Windows = std::nullopt;  // when code page 1252 gives another answer
};

struct TProgramFile {
  std::string Writer;  // the program and what it was told
  std::string Bytes;
  std::vector<TProgramQuery> Queries;
};

// A UTF-16LE log of 3000 lines "reading N ok N.5", past 64 KiB, except that
// the line the first 64 KiB read ends in holds an emoji (a surrogate pair)
// split by that read: "reading N", blanks, the emoji, " N.5".
struct TLongLog {
  std::string Bytes;
  int SplitLine = 0;
  std::size_t Blanks = 0;  // between "reading N" and the emoji
};
inline const TLongLog& LongUtf16Log() {
  static const TLongLog log = [] {
    constexpr std::size_t kRead = kFirstReadBytes;
    TLongLog made;
    std::u16string text;
    for (int line = 1; line <= 3000; ++line) {
      std::u16string number;
      for (const char c : std::to_string(line)) number += static_cast<char16_t>(c);
      const std::u16string plain = u"reading " + number + u" ok " + number + u".5\r\n";
      const std::size_t end = 2 + 2 * (text.size() + plain.size());  // the mark, then the units
      if (made.SplitLine == 0 && end > kRead) {
        const std::u16string head = u"reading " + number;
        made.SplitLine = line;
        made.Blanks = (kRead - 2) / 2 - text.size() - head.size() - 1;  // the high surrogate ends the read
        text += head + std::u16string(made.Blanks, u' ') + u"\U0001F600 " + number + u".5\r\n";
      } else {
        text += plain;
      }
    }
    made.Bytes = Utf16(text);
    return made;
  }();
  return log;
}

// The split line before its emoji.
inline std::string SplitLineHead() {
  return "reading " + std::to_string(LongUtf16Log().SplitLine) + std::string(LongUtf16Log().Blanks, ' ');
}

inline const std::vector<TProgramFile>& WindowsProgramFiles() {
  using A = TAnswer;
  static const std::vector<TProgramFile> files = {
      {"Windows PowerShell 5.1: \"42.5\" > temp.txt",
       std::string("\xFF\xFE" "4\0" "2\0" ".\0" "5\0" "\r\0" "\n\0", 14),
       {{"", A::Of(42.5)}, {"|LINE=0", A::Of(42.5)}, {"|LINE=2", A::Failing("List index out of bounds (1)")}}},
      {"Out-File of \"Température: 21.5 °C\" (UTF-16LE)", Utf16(u"Temp\u00E9rature: 21.5 \u00B0C\r\n"),
       {{"", A::Said("Temp\xC3\xA9rature: 21.5 \xC2\xB0" "C"), A::Said("Temp\xE9rature: 21.5 \xB0" "C")},
        // START counts bytes of the decoded text: é is two of them in UTF-8.
        {"|START=15|LENGTH=4", A::Of(21.5), A::Of(1.5)},
        {"|START=14|LENGTH=4", A::Of(21), A::Of(21.5)}}},
      {"wmic cpu get loadpercentage > load.txt (CR CR LF)",
       Utf16(u"LoadPercentage  \r\r\n12              \r\r\n\r\r\n"),
       {{"|LINE=3", A::Of(12)}, {"|LINE=2", A::Said("")}, {"|LINE=0", A::Said("")},
        {"|LINE=-1", A::Failing("List index out of bounds (6)")}}},
      {"Notepad, UTF-16 BE, no final line break", Utf16(u"42.5", true), {{"|LINE=0", A::Of(42.5)}}},
      {"Notepad, UTF-8 with BOM", "\xEF\xBB\xBF" "42.5\r\n",
       {{"", A::Said("\xEF\xBB\xBF" "42.5")}, {"|START=4", A::Of(42.5)}}},
      {"Notepad, ANSI (8-bit, code page 1252)", "Temp\xE9rature: 21.5 \xB0" "C\r\n",
       {{"", A::Said("Temp\xE9rature: 21.5 \xB0" "C")}, {"|START=14|LENGTH=4", A::Of(21.5)}}},
      {"a surrogate pair (an emoji)", Utf16(u"21.5 \U0001F600\r\n"),
       {{"", A::Said("21.5 \xF0\x9F\x98\x80"), A::Said("21.5 ??")}, {"|LENGTH=4", A::Of(21.5)}}},
      {"an unpaired surrogate", Utf16(u"7\xD800 C"), {{"", A::Said("7\xEF\xBF\xBD C"), A::Said("7? C")}}},
      // With the system's best fit these would read as the numbers 8 and 5.
      {"characters code page 1252 lacks", Utf16(u"\u221E\r\n\uFF15\r\n"),
       {{"", A::Said("\xE2\x88\x9E"), A::Said("?")}, {"|LINE=2", A::Said("\xEF\xBC\x95"), A::Said("?")}}},
      {"a zero unit in the middle", Utf16(std::u16string(u"12\0 34\r\n56", 10)),
       {{"", A::Of(12)}, {"|LINE=0", A::Of(12)}, {"|LINE=2", A::Failing("List index out of bounds (1)")}}},
      {"the mark alone", "\xFF\xFE",
       {{"", A::Failing("List index out of bounds (0)")}, {"|LINE=0", A::Failing("List index out of bounds (-1)")}}},
      {"an odd trailing byte", Utf16(u"42") + "5", {{"", A::Of(42)}}},
      // No mark, no guessing: 8-bit text whose first zero byte ends it.
      {"UTF-16LE written without a mark", Utf16(u"42.5\r\n", false, true), {{"", A::Of(4)}}},
      {"a UTF-16 log over 64 KiB", LongUtf16Log().Bytes,
       {{"|LINE=0", A::Said("reading 3000 ok 3000.5")},
        {"|LINE=" + std::to_string(LongUtf16Log().SplitLine),
         A::Said(SplitLineHead() + "\xF0\x9F\x98\x80 " + std::to_string(LongUtf16Log().SplitLine) + ".5"),
         A::Said(SplitLineHead() + "?? " + std::to_string(LongUtf16Log().SplitLine) + ".5")},
        {"|LINE=2999|START=17", A::Of(2999.5)},
        {"|LINE=-1", A::Failing("List index out of bounds (3000)")}}},
  };
  return files;
}

}  // namespace filedata::testing
