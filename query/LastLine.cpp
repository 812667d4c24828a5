#include "query/LastLine.h"

#include <utility>

namespace filedata {

bool TLastLineScanner::OnUnits(std::string_view text) {
  const std::size_t unit = units_.UnitSize;
  // The LF of a CR LF split across chunks is part of the break before it.
  if (std::exchange(afterCR_, false) && !text.empty() && units_.IsLF(text.data())) text.remove_prefix(unit);
  if (text.empty()) return true;
  const char* begin = text.data();
  const char* end = begin + text.size();
  afterCR_ = units_.IsCR(end - unit);
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
  const char* const begin = units.data();
  const char* zero = begin;
  const std::uint64_t ends = units.empty() ? 0 : units_.CountLineEndsToZero(begin, begin + units.size(), zero);
  Counted(begin, zero, ends);
  return static_cast<std::size_t>(zero - begin);
}

void TLineCounter::Counted(const char* begin, const char* end, std::uint64_t ends) {
  if (begin == end) return;
  const std::size_t unit = units_.UnitSize;
  ends_ += ends;
  if (afterCR_ && units_.IsLF(begin)) --ends_;  // CR LF across chunks: the CR was counted
  afterCR_ = units_.IsCR(end - unit);
  inLine_ = !afterCR_ && !units_.IsLF(end - unit);
}

}  // namespace filedata
