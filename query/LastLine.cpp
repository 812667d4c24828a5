#include "query/LastLine.h"


namespace filedata {

bool TLastLineScanner::OnUnits(std::string_view text) {
  const std::size_t unit = units_.UnitSize;
  const TBreakAcrossReads::TChunk chunk = breaks_.Next(text);
  // An LF that completed a CR the chunk before ended on: the line in progress begins past it.
  if (chunk.DroppedLF) tailAt_ = chunk.At;
  if (chunk.Units.empty()) return true;
  const char* begin = chunk.Units.data();
  const char* end = begin + chunk.Units.size();
  const auto offset = [&](const char* p) { return chunk.At + static_cast<std::uint64_t>(p - begin); };
  const char* lastBreak = units_.FindLastLineBreak(begin, end);
  if (!lastBreak) return true;  // the line in progress goes on
  // The break that ended the line before the tail: one unit, or CR LF.
  const bool crlf = units_.IsLF(lastBreak) && lastBreak > begin && units_.IsCR(lastBreak - unit);
  const char* lineEnd = crlf ? lastBreak - unit : lastBreak;
  const char* breakBefore = units_.FindLastLineBreak(begin, lineEnd);
  // Without a break before it here, the line began in an earlier chunk, with the tail.
  previous_ = {breakBefore ? offset(breakBefore + unit) : tailAt_, offset(lineEnd)};
  tailAt_ = offset(lastBreak + unit);
  sawBreak_ = true;
  return true;
}

bool TLineCounter::OnUnits(std::string_view units) {
  OnUnitsUpToZero(units);
  return true;
}

std::size_t TLineCounter::OnUnitsUpToZero(std::string_view units) {
  // A zero unit ends the text, so what the rule remembers past it never counts.
  const std::string_view text = breaks_.Next(units).Units;
  const char* const begin = text.data();
  const char* zero = begin;
  const std::uint64_t ends = text.empty() ? 0 : units_.CountLineEndsToZero(begin, begin + text.size(), zero);
  if (zero != begin) {
    const std::size_t unit = units_.UnitSize;
    ends_ += ends;
    inLine_ = !units_.IsCR(zero - unit) && !units_.IsLF(zero - unit);
  }
  return static_cast<std::size_t>(zero - units.data());
}

}  // namespace filedata
