#include "query/Text.h"

#include <algorithm>

namespace filedata {

std::string_view CutText(std::string_view source, std::int64_t start, std::int64_t count,
                         TCutReport* report) noexcept {
  TCutReport applied;
  const auto length = static_cast<std::int64_t>(source.size());
  const std::int64_t first = start < 1 ? 1 : start;
  applied.StartBelowOne = start < 1;
  applied.NegativeCount = count < 0;
  applied.StartPastEnd = first > length;
  const std::int64_t available = applied.StartPastEnd ? 0 : length - first + 1;
  applied.StoppedAtEnd = !applied.NegativeCount && !applied.StartPastEnd && count > available;
  if (report) *report = applied;
  if (applied.NegativeCount || applied.StartPastEnd) return {};
  return source.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(std::min(count, available)));
}

std::string_view CutOfLine(std::string_view line, std::int64_t start, std::int64_t length,
                           TCutReport* report) noexcept {
  const bool toLineEnd = length == kLengthToLineEnd;
  const std::string_view cut = CutText(line, start, toLineEnd ? static_cast<std::int64_t>(line.size()) : length, report);
  if (report) report->ToLineEnd = toLineEnd;
  return cut;
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
