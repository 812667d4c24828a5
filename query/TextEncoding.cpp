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

const char* EncodingName(TTextEncoding encoding) noexcept {
  switch (encoding) {
    case TTextEncoding::EightBit: return "8-bit";
    case TTextEncoding::Utf16LE: return "UTF-16LE";
    case TTextEncoding::Utf16BE: return "UTF-16BE";
  }
  return "";
}

}  // namespace filedata
