#pragma once
// `Filter`: field splitting at a separator string, which cuts a parameter
// text into pairs at "|" and a pair into its key and value at "=". Fields
// count from 1; separator matches are exact and found at every position, so
// they may overlap.
#include <cstdint>
#include <string_view>

namespace filedata {

// Calls VISIT(index, field) for fields 1, 2, ... of TEXT in order until it
// returns false. The empty text has no fields; a text without the separator
// is one field.
template <class Visit>
void ForEachField(std::string_view text, std::string_view separator, Visit&& visit);

// A parameter pair's key and value: its fields 1 and 2 at "=", in one pass
// and without a copy, so the value ends at the pair's next "=". False when
// the pair has no "=" (then KEY is the whole pair and VALUE empty).
bool SplitPair(std::string_view pair, std::string_view& key, std::string_view& value);

namespace detail {
bool SeparatorAt(std::string_view text, std::size_t offset, std::string_view separator) noexcept;
}  // namespace detail

template <class Visit>
void ForEachField(std::string_view text, std::string_view separator, Visit&& visit) {
  if (text.empty()) return;
  std::int32_t index = 1;
  std::size_t start = 0;  // 0-based offset where the current field begins
  // One byte cannot overlap itself: jump from match to match.
  const bool oneByte = separator.size() == 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (oneByte) {
      i = text.find(separator[0], i);
      if (i == std::string_view::npos) break;
    } else if (!detail::SeparatorAt(text, i, separator)) {
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
