#include "explain/Utf8Words.h"

#include <algorithm>
#include <cstdint>

#include "explain/AnswerWords.h"
#include "platform/Utf8Characters.h"

namespace filedata::explain {

namespace {
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool BeyondAscii(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

// The line's text without the mark that line 1 of a marked file begins with.
std::size_t TextStart(std::string_view line, bool marked) {
  return marked && line.substr(0, kUtf8Mark.size()) == kUtf8Mark ? kUtf8Mark.size() : 0;
}

// The code point of a well-formed sequence.
std::uint32_t CodePoint(std::string_view sequence) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(sequence[i])); };
  std::uint32_t point = byte(0) & (0x7F >> sequence.size());
  for (std::size_t i = 1; i < sequence.size(); ++i) point = point << 6 | (byte(i) & 0x3F);
  return point;
}

std::u16string Utf16Of(std::uint32_t point) {
  if (point < 0x10000) return std::u16string(1, static_cast<char16_t>(point));
  point -= 0x10000;
  return {static_cast<char16_t>(0xD800 + (point >> 10)), static_cast<char16_t>(0xDC00 + (point & 0x3FF))};
}

std::string Hex(std::uint32_t value, int digits) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string hex(static_cast<std::size_t>(digits), '0');
  for (int i = digits - 1; i >= 0; --i, value >>= 4) hex[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
  return hex;
}

// "C2 B0".
std::string HexBytes(std::string_view bytes) {
  std::string hex;
  for (const char byte : bytes) hex += (hex.empty() ? "" : " ") + Hex(static_cast<unsigned char>(byte), 2);
  return hex;
}

// The character POINT in the host's text; empty when its code page lacks it.
std::string InHostText(std::uint32_t point, const THost& host) {
  const std::string shown = host.FromUtf16(Utf16Of(point));
  return shown.find('?') == std::string::npos ? shown : std::string();
}

// The host's characters that the bytes of CHARACTER, in LINE, fall in: the
// bytes as the host shows them, never part of one of its own characters.
std::string_view ShownAs(std::string_view line, bool whole, const TCharacter& character, const THost& host) {
  const TKnownLine known(line, whole ? line.size() : line.size() + 1, host);
  const std::optional<TCharacter> first = known.Holding(character.First);
  const std::optional<TCharacter> last = known.Holding(character.End() - 1);
  const std::size_t from = first ? first->First : character.First;
  const std::size_t to = last ? last->End() : character.End();
  return line.substr(from, to - from);
}

std::string SaveAdvice(const THost& host) {
  return "to have it show right, save the file as UTF-16 (Notepad: \"UTF-16 LE\", \"Unicode\" in older versions; "
         "PowerShell: -Encoding Unicode), which the plug-in decodes to " + host.TextName + ", or as " +
         host.TextName + " itself (Notepad: \"ANSI\")";
}
}  // namespace

std::optional<TCharacter> Utf8Example(std::string_view text, bool whole) {
  std::optional<TCharacter> example;
  // Of a text cut short, the last bytes may be a sequence's start.
  constexpr std::size_t kLongest = 4;
  const std::size_t reach = whole ? text.size() : text.size() - std::min(text.size(), kLongest - 1);
  for (std::size_t at = 0; at < reach;) {
    const std::size_t size = platform::Utf8CharacterSize(text, at);
    if (size == 1 && BeyondAscii(text[at])) return std::nullopt;
    if (size > 1 && !example) example = TCharacter{at, size};
    at += size;
  }
  return example;
}

std::optional<TCharacter> Utf8TextExample(std::string_view line, bool whole, bool marked, const THost& host) {
  if (host.CodePage == kUtf8CodePage) return std::nullopt;
  const std::size_t start = TextStart(line, marked);
  std::optional<TCharacter> example = Utf8Example(line.substr(start), whole);
  if (example) example->First += start;
  return example;
}

std::string Utf8TextDetail(std::string_view subject, std::string_view line, bool whole, bool marked,
                           const THost& host) {
  const std::optional<TCharacter> example = Utf8TextExample(line, whole, marked, host);
  if (!example) return "";
  const std::string_view bytes = line.substr(example->First, example->Size);
  const std::uint32_t point = CodePoint(bytes);
  const std::string name = "U+" + Hex(point, point > 0xFFFF ? 6 : 4);
  const std::string inHost = InHostText(point, host);
  std::string detail = std::string(subject) + " is UTF-8 text, and " +
                       (marked ? "the file begins with a UTF-8 mark, which stays part of line 1; "
                               : "the file has no UTF-8 mark; ") +
                       "the plug-in hands its bytes over as they are: " +
                       (inHost.empty() ? name : Quoted(inHost) + " (" + name + ")") + " is written as the " +
                       std::to_string(example->Size) + " bytes " + HexBytes(bytes) + ", which " + host.TextName +
                       " shows as " + Quoted(ShownAs(line, whole, *example, host));
  if (inHost.empty()) detail += " (" + host.TextName + " has no such character: from UTF-16 it becomes \"?\")";
  return detail + "; " + SaveAdvice(host);
}

}  // namespace filedata::explain
