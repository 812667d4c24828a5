#pragma once
// The characters of the host's 8-bit text, found as the host finds them: by
// a walk from the text's first byte, since a double-byte character's second
// byte may look like the first of another. So a quote never holds part of
// a character without saying so.
#include <cstddef>
#include <string_view>

#include "explain/Host.h"

namespace filedata::explain {

// A character of a text: its first byte, 0-based, and its bytes.
struct TCharacter {
  std::size_t First = 0, Size = 1;
  std::size_t End() const noexcept { return First + Size; }
};

// The character of TEXT that holds byte AT, which lies in TEXT.
TCharacter CharacterHolding(std::string_view text, std::size_t at, const THost& host);

// The characters of TEXT.
std::size_t CharacterCount(std::string_view text, const THost& host);

// The most bytes of TEXT's start, at most MOST, that end where a character
// ends; a character begun there that TEXT does not hold to its end counts
// as ended, as the walk cannot tell.
std::size_t WholeCharactersIn(std::string_view text, std::size_t most, const THost& host);

}  // namespace filedata::explain
