#pragma once
// How many bytes a UTF-8 character takes, for both sides of the seam: the
// POSIX side's host text is UTF-8, and so is Windows' with code page 65001.
#include <cstddef>
#include <string_view>

namespace filedata::platform {

// The bytes of the well-formed UTF-8 sequence at AT of TEXT; 1 for an ASCII
// byte and for any byte that starts no well-formed sequence, so that a
// walk over a text always moves on.
inline std::size_t Utf8CharacterSize(std::string_view text, std::size_t at) noexcept {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t size = 1;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (lead >= 0xC2 && lead <= 0xDF) {
    size = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    size = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    size = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
  } else {
    return 1;
  }
  if (at + size > text.size() || byte(at + 1) < low || byte(at + 1) > high) return 1;
  for (std::size_t i = 2; i < size; ++i) {
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 1;
  }
  return size;
}

}  // namespace filedata::platform
