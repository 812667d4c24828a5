#pragma once
// A CR LF split between two reads is one line break: the LF that begins a
// read belongs to the CR the read before ended on. Every reader of a text in
// chunks (the splitter, the last-line scanner, the line counter) keeps that
// one rule here.
#include <string_view>

#include "query/UnitSearch.h"

namespace filedata {

class TBreakAcrossReads {
 public:
  explicit TBreakAcrossReads(const TUnitSearches& units) noexcept : units_(units) {}

  // CHUNK, the next read's units, without the LF that completes a CR the
  // chunk before ended on; remembers whether CHUNK ends on CR. An empty
  // chunk changes nothing.
  std::string_view Next(std::string_view chunk) noexcept {
    if (chunk.empty()) return chunk;
    if (afterCR_ && units_.IsLF(chunk.data())) chunk.remove_prefix(units_.UnitSize);
    afterCR_ = !chunk.empty() && units_.IsCR(chunk.data() + chunk.size() - units_.UnitSize);
    return chunk;
  }

 private:
  const TUnitSearches& units_;
  bool afterCR_ = false;
};

}  // namespace filedata
