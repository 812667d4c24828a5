#pragma once
// A GUID made at compile time from its registry text, so that an identifier
// is written once, in the form the registry shows.
#include <guiddef.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace filedata::com {

// TEXT in StringFromCLSID's braced upper-case form. Any other text throws,
// which turns a constant's initialiser into a build error.
constexpr GUID GuidFromText(std::string_view text) {
  constexpr std::string_view kForm = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
  if (text.size() != kForm.size()) throw std::invalid_argument("not a braced upper-case GUID");
  std::uint8_t bytes[16] = {};  // as written: Data1, Data2 and Data3 most significant byte first
  for (std::size_t at = 0, digits = 0; at < text.size(); ++at) {
    const char c = text[at];
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (kForm[at] == 'X' ? digit < 0 : c != kForm[at]) throw std::invalid_argument("not a braced upper-case GUID");
    if (kForm[at] != 'X') continue;  // a brace or a dash
    bytes[digits / 2] = static_cast<std::uint8_t>(bytes[digits / 2] << 4 | digit);
    ++digits;
  }
  const auto word = [&bytes](std::size_t at) { return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]); };
  return {static_cast<std::uint32_t>(word(0)) << 16 | word(2),
          word(4),
          word(6),
          {bytes[8], bytes[9], bytes[10], bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]}};
}

}  // namespace filedata::com
