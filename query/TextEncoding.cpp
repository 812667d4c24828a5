#include "query/TextEncoding.h"

#include "platform/Platform.h"

namespace filedata {

TTextMark ReadMark(std::string_view firstBytes) noexcept {
  TTextMark mark;
  const auto startsWith = [&](std::string_view prefix) { return firstBytes.substr(0, prefix.size()) == prefix; };
  if (startsWith("\xFF\xFE")) {
    mark = {TTextEncoding::Utf16LE, 2, false};
  } else if (startsWith("\xFE\xFF")) {
    mark = {TTextEncoding::Utf16BE, 2, false};
  } else {
    mark.Utf8Mark = startsWith("\xEF\xBB\xBF");
  }
  return mark;
}

std::string UnitsToHostText(std::string_view units, TTextEncoding encoding) {
  if (encoding == TTextEncoding::EightBit) return std::string(units);
  const bool littleEndian = encoding == TTextEncoding::Utf16LE;
  std::u16string wide(units.size() / 2, u'\0');
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const auto first = static_cast<unsigned char>(units[2 * i]);
    const auto second = static_cast<unsigned char>(units[2 * i + 1]);
    wide[i] = static_cast<char16_t>(littleEndian ? (second << 8 | first) : (first << 8 | second));
  }
  return platform::Utf16ToHostText(wide);
}

namespace {
// Units converted at a time: the part's host text stays a few KiB.
constexpr std::size_t kPartUnits = 2048;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
}  // namespace

bool TUnitDecoder::Convert(std::u16string_view part) {
  if (part.empty()) return true;
  const std::string text = platform::Utf16ToHostText(part);
  return sink_.OnHostText(text);
}

bool TUnitDecoder::Decode(std::string_view units) {
  if (encoding_ == TTextEncoding::EightBit) return units.empty() || sink_.OnHostText(units);
  const bool littleEndian = encoding_ == TTextEncoding::Utf16LE;
  char16_t part[kPartUnits + 1];
  std::size_t size = 0;
  if (holding_) part[size++] = held_;
  holding_ = false;
  for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
    const auto first = static_cast<unsigned char>(units[i]);
    const auto second = static_cast<unsigned char>(units[i + 1]);
    part[size++] = static_cast<char16_t>(littleEndian ? (second << 8 | first) : (first << 8 | second));
    // Never a part that ends between the two units of one character.
    const bool highLast = IsHighSurrogate(part[size - 1]);
    if (size > kPartUnits || (size == kPartUnits && !highLast)) {
      if (!Convert(std::u16string_view(part, highLast ? size - 1 : size))) return false;
      if (highLast) part[0] = part[size - 1];
      size = highLast ? 1 : 0;
    }
  }
  if (size > 0 && IsHighSurrogate(part[size - 1])) {
    held_ = part[--size];
    holding_ = true;
  }
  return Convert(std::u16string_view(part, size));
}

bool TUnitDecoder::Finish() {
  if (!holding_) return true;
  holding_ = false;
  return Convert(std::u16string_view(&held_, 1));
}

const char* EncodingName(TTextEncoding encoding) noexcept {
  switch (encoding) {
    case TTextEncoding::EightBit: return "8-bit";
    case TTextEncoding::Utf16LE: return "UTF-16LE";
    case TTextEncoding::Utf16BE: return "UTF-16BE";
  }
  return "";
}

}  // namespace filedata
