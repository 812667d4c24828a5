#include "query/LineSplitter.h"

namespace filedata {

bool TLineSplitter::Deliver(std::string_view line) {
  const bool more = sink_.OnLine(line);
  pending_.clear();
  if (!more) ended_ = true;
  return more;
}

bool TLineSplitter::OnUnits(std::string_view units) {
  if (ended_) return false;
  const std::size_t unit = units_.UnitSize;
  units = breaks_.Next(units);
  const char* p = units.data();
  const char* const end = p + units.size();
  while (p < end) {
    const char* const stop = units_.FindLineBreak(p, end);
    if (stop == end) {
      pending_.append(p, stop);
      break;
    }
    std::string_view line(p, static_cast<std::size_t>(stop - p));
    if (!pending_.empty()) line = pending_.append(line);
    if (!Deliver(line)) return false;
    p = stop + unit;
    if (units_.IsCR(stop) && p < end && units_.IsLF(p)) p += unit;
  }
  return true;
}

void TLineSplitter::Finish() {
  if (!ended_ && !pending_.empty()) Deliver(pending_);
  ended_ = true;
}

}  // namespace filedata
