#include "query/LineSplitter.h"

namespace filedata {

bool TLineSplitter::Deliver(std::string_view piece, std::uint64_t at, bool ends) {
  open_ = !ends;
  if (!sink_.OnPiece(piece, at, ends)) ended_ = true;
  return !ended_;
}

bool TLineSplitter::OnUnits(std::string_view units) {
  if (ended_) return false;
  const std::size_t unit = units_.UnitSize;
  const TBreakAcrossReads::TChunk chunk = breaks_.Next(units);
  const char* const begin = chunk.Units.data();
  const char* p = begin;
  const char* const end = p + chunk.Units.size();
  while (p < end) {
    const char* const stop = units_.FindLineBreak(p, end);
    const std::uint64_t at = chunk.At + static_cast<std::uint64_t>(p - begin);
    if (!Deliver(std::string_view(p, static_cast<std::size_t>(stop - p)), at, stop != end)) return false;
    if (stop == end) break;
    p = stop + unit;
    if (units_.IsCR(stop) && p < end && units_.IsLF(p)) p += unit;
  }
  return true;
}

void TLineSplitter::Finish() {
  if (!ended_ && open_) Deliver(std::string_view(), breaks_.End(), true);
  ended_ = true;
}

}  // namespace filedata
