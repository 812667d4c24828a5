#include "query/Text.h"

#include <algorithm>

namespace filedata {

TCutRange CutRangeOf(std::uint64_t size, std::int64_t start, std::int64_t count, TCutReport* report) noexcept {
  TCutReport applied;
  const auto length = static_cast<std::int64_t>(size);
  const std::int64_t first = start < 1 ? 1 : start;
  applied.StartBelowOne = start < 1;
  applied.NegativeCount = count < 0;
  applied.StartPastEnd = first > length;
  const std::int64_t available = applied.StartPastEnd ? 0 : length - first + 1;
  applied.StoppedAtEnd = !applied.NegativeCount && !applied.StartPastEnd && count > available;
  if (report) *report = applied;
  if (applied.NegativeCount || applied.StartPastEnd) return {};
  return {static_cast<std::uint64_t>(first - 1), static_cast<std::uint64_t>(std::min(count, available))};
}

std::string_view CutText(std::string_view source, std::int64_t start, std::int64_t count,
                         TCutReport* report) noexcept {
  const TCutRange range = CutRangeOf(source.size(), start, count, report);
  return source.substr(static_cast<std::size_t>(range.From), static_cast<std::size_t>(range.Count));
}

TCutRange LineCutRange(std::uint64_t lineSize, std::int64_t start, std::int64_t length, TCutReport* report) noexcept {
  const bool toLineEnd = length == kLengthToLineEnd;
  const TCutRange range =
      CutRangeOf(lineSize, start, toLineEnd ? static_cast<std::int64_t>(lineSize) : length, report);
  if (report) report->ToLineEnd = toLineEnd;
  return range;
}

std::string_view CutOfLine(std::string_view line, std::int64_t start, std::int64_t length,
                           TCutReport* report) noexcept {
  const TCutRange range = LineCutRange(line.size(), start, length, report);
  return line.substr(static_cast<std::size_t>(range.From), static_cast<std::size_t>(range.Count));
}

bool TextEqualsIgnoringAsciiCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpperByte(a[i]) != AsciiUpperByte(b[i])) return false;
  }
  return true;
}

std::string_view UpToFirstZero(std::string_view text) noexcept {
  const auto zero = text.find('\0');
  return zero == std::string_view::npos ? text : text.substr(0, zero);
}

}  // namespace filedata
