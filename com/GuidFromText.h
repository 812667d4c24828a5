#pragma once
// A GUID made at compile time from its registry text, so that an identifier
// the registry shows is written only in that form.
#include <guiddef.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace filedata::com {

namespace guid_text {

// The value of COUNT upper-case hex digits of TEXT from AT.
constexpr std::uint32_t HexValue(std::string_view text, std::size_t at, std::size_t count) {
  std::uint32_t value = 0;
  for (const char c : text.substr(at, count)) {
    const bool decimal = c >= '0' && c <= '9';
    if (!decimal && (c < 'A' || c > 'F')) throw std::invalid_argument("not an upper-case hex digit");
    value = value << 4 | static_cast<std::uint32_t>(decimal ? c - '0' : c - 'A' + 10);
  }
  return value;
}

// Where each byte of Data4 starts in "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
constexpr std::size_t kData4At[8] = {20, 22, 25, 27, 29, 31, 33, 35};

}  // namespace guid_text

// TEXT in the braced upper-case form StringFromCLSID writes; any other text
// throws, which a constant initialiser turns into a build error.
constexpr GUID GuidFromText(std::string_view text) {
  if (text.size() != 38 || text[0] != '{' || text[9] != '-' || text[14] != '-' || text[19] != '-' ||
      text[24] != '-' || text[37] != '}') {
    throw std::invalid_argument("not a braced GUID text");
  }
  GUID guid{guid_text::HexValue(text, 1, 8), static_cast<std::uint16_t>(guid_text::HexValue(text, 10, 4)),
            static_cast<std::uint16_t>(guid_text::HexValue(text, 15, 4)), {}};
  for (std::size_t i = 0; i < 8; ++i) {
    guid.Data4[i] = static_cast<std::uint8_t>(guid_text::HexValue(text, guid_text::kData4At[i], 2));
  }
  return guid;
}

}  // namespace filedata::com
