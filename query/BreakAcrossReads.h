#pragma once
// A CR LF split between two reads is one line break: the LF that begins a
// read belongs to the CR the read before ended on. Every reader of a text in
// chunks (the splitter, the last-line scanner, the line counter) keeps that
// one rule here, and with it where each chunk lies in the text.
#include <cstdint>
#include <string_view>

#include "query/UnitSearch.h"

namespace filedata {

class TBreakAcrossReads {
 public:
  explicit TBreakAcrossReads(const TUnitSearches& units) noexcept : units_(units) {}

  // The next read's units, without the LF that completes a CR the chunk
  // before ended on, and where they begin in the text (bytes from its start).
  struct TChunk {
    std::string_view Units;
    std::uint64_t At = 0;
    bool DroppedLF = false;
  };
  TChunk Next(std::string_view units) noexcept {
    TChunk chunk{units, at_, false};
    at_ += units.size();
    if (units.empty()) return chunk;
    if (afterCR_ && units_.IsLF(units.data())) {
      chunk.Units.remove_prefix(units_.UnitSize);
      chunk.At += units_.UnitSize;
      chunk.DroppedLF = true;
    }
    afterCR_ = !chunk.Units.empty() && units_.IsCR(chunk.Units.data() + chunk.Units.size() - units_.UnitSize);
    return chunk;
  }
  // Where the text fed so far ends.
  std::uint64_t End() const noexcept { return at_; }

 private:
  const TUnitSearches& units_;
  std::uint64_t at_ = 0;
  bool afterCR_ = false;
};

}  // namespace filedata
