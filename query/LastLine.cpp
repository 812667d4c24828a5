#include "query/LastLine.h"


namespace filedata {

bool TLastLineScanner::OnUnits(std::string_view text) {
  const std::size_t unit = units_.UnitSize;
  text = breaks_.Next(text);
  if (text.empty()) return true;
  const char* begin = text.data();
  const char* end = begin + text.size();
  const char* lastBreak = units_.FindLastLineBreak(begin, end);
  if (!lastBreak) {
    tail_.append(begin, end);
    return true;
  }
  // The break that ended the line before the tail: one unit, or CR LF.
  const bool crlf = units_.IsLF(lastBreak) && lastBreak > begin && units_.IsCR(lastBreak - unit);
  const char* lineEnd = crlf ? lastBreak - unit : lastBreak;
  const char* breakBefore = units_.FindLastLineBreak(begin, lineEnd);
  if (breakBefore) {
    previous_.assign(breakBefore + unit, lineEnd);
  } else {
    previous_ = std::move(tail_);  // the line began in an earlier chunk
    previous_.append(begin, lineEnd);
  }
  tail_.assign(lastBreak + unit, end);
  sawBreak_ = true;
  return true;
}

bool TLineCounter::OnUnits(std::string_view units) {
  OnUnitsUpToZero(units);
  return true;
}

std::size_t TLineCounter::OnUnitsUpToZero(std::string_view units) {
  // A zero unit ends the text, so what the rule remembers past it never counts.
  const std::string_view text = breaks_.Next(units);
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
