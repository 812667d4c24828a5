#include "explain/Characters.h"

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

}  // namespace filedata::explain
