#pragma once
// Field splitting at a separator string. Fields count from 1; separator
// matches are found at every position, so they may overlap; in
// case-insensitive mode matching ignores ASCII case while fields keep it.
#include <cstdint>
#include <string>
#include <string_view>

namespace filedata {

// 0 for the empty text, else 1 + the number of separator matches.
std::int32_t FieldCount(std::string_view text, std::string_view separator, bool caseSensitive);

// Field INDEX of TEXT; the empty text for an index below 1 or above the count.
std::string ExtractField(std::string_view text, std::int32_t index, std::string_view separator, bool caseSensitive);

// Calls VISIT(index, field) for fields 1, 2, ... in order until it returns
// false; the fields are those ExtractField gives for each index.
template <class Visit>
void ForEachField(std::string_view text, std::string_view separator, bool caseSensitive, Visit&& visit);

namespace detail {
bool SeparatorAt(std::string_view text, std::size_t offset, std::string_view separator, bool caseSensitive) noexcept;
constexpr bool IsAsciiLetter(char c) noexcept { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
}  // namespace detail

template <class Visit>
void ForEachField(std::string_view text, std::string_view separator, bool caseSensitive, Visit&& visit) {
  if (text.empty()) return;
  std::int32_t index = 1;
  std::size_t start = 0;  // 0-based offset where the current field begins
  // One byte matched exactly cannot overlap itself: jump from match to match.
  const bool oneByte = separator.size() == 1 && (caseSensitive || !detail::IsAsciiLetter(separator[0]));
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (oneByte) {
      i = text.find(separator[0], i);
      if (i == std::string_view::npos) break;
    } else if (!detail::SeparatorAt(text, i, separator, caseSensitive)) {
      continue;
    }
    // Overlapping matches can leave a field ending before it starts: empty.
    const std::string_view field = i >= start ? text.substr(start, i - start) : std::string_view();
    if (!visit(index, field)) return;
    ++index;
    start = i + separator.size();
  }
  visit(index, start < text.size() ? text.substr(start) : std::string_view());
}

}  // namespace filedata
