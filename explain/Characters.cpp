#include "explain/Characters.h"

#include <algorithm>

namespace filedata::explain {

TCharacter CharacterHolding(std::string_view text, std::size_t at, const THost& host) {
  TCharacter character;
  for (std::size_t first = 0; first <= at && first < text.size(); first += character.Size) {
    character = {first, host.CharacterSize(text, first)};
  }
  return character;
}

std::size_t CharacterCount(std::string_view text, const THost& host) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size(); at += host.CharacterSize(text, at)) ++count;
  return count;
}

std::size_t WholeCharactersIn(std::string_view text, std::size_t most, const THost& host) {
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t size = host.CharacterSize(text, at);
    if (at + size > most) break;
    at += size;
  }
  return at;
}

std::optional<TCharacter> TKnownLine::Holding(std::uint64_t at) const {
  // A character begun within the known bytes but a character's longest
  // before their end is known whole; of a line known whole, every one.
  constexpr std::size_t kLongest = 4;
  const std::size_t reach = known_.size() == size_ ? known_.size() : known_.size() - std::min(known_.size(), kLongest - 1);
  if (at >= reach) return std::nullopt;
  return CharacterHolding(known_, static_cast<std::size_t>(at), host_);
}

TPartCharacters CharactersOfPart(const TKnownLine& line, std::uint64_t from, std::uint64_t size) {
  TPartCharacters part;
  if (size == 0) return part;
  const std::optional<TCharacter> first = line.Holding(from), last = line.Holding(from + size - 1);
  if (first && first->First < from) part.BeginsInside = first;
  if (last && last->End() > from + size) part.EndsInside = last;
  return part;
}

}  // namespace filedata::explain
