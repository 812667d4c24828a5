#pragma once
// The characters of the host's 8-bit text, found as the host finds them: by
// a walk from the text's first byte, since a double-byte character's second
// byte may look like the first of another. So a quote never holds part of
// a character without saying so.
#include <cstddef>
#include <cstdint>
#include <optional>
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

// The first bytes of a line, KNOWN, of a line of SIZE bytes: where the
// characters lie as far as those bytes tell.
class TKnownLine {
 public:
  TKnownLine(std::string_view known, std::uint64_t size, const THost& host) noexcept
      : known_(known), size_(size), host_(host) {}
  // The character that holds byte AT of the line, when it is known whole.
  std::optional<TCharacter> Holding(std::uint64_t at) const;
  std::string_view Bytes(const TCharacter& character) const { return known_.substr(character.First, character.Size); }

 private:
  std::string_view known_;
  std::uint64_t size_;
  const THost& host_;
};

// How a part of a line, bytes [FROM, FROM + SIZE), meets the line's
// characters: a character it begins inside of (not at its first byte), and
// one it ends inside of (not at its last); the same one when the part lies
// inside a single character. Nothing where the line's known bytes cannot
// tell.
struct TPartCharacters {
  std::optional<TCharacter> BeginsInside, EndsInside;
  bool Partial() const noexcept { return BeginsInside || EndsInside; }
};
TPartCharacters CharactersOfPart(const TKnownLine& line, std::uint64_t from, std::uint64_t size);

}  // namespace filedata::explain
