#include "query/Filter.h"

#include <limits>

#include "query/Text.h"

namespace filedata {

namespace detail {
bool SeparatorAt(std::string_view text, std::size_t offset, std::string_view separator, bool caseSensitive) noexcept {
  if (separator.size() > text.size() - offset) return false;  // a clamped cut never matches
  const std::string_view here = text.substr(offset, separator.size());
  return caseSensitive ? TextEquals(here, separator) : TextEqualsIgnoringAsciiCase(here, separator);
}
}  // namespace detail

std::int32_t FieldCount(std::string_view text, std::string_view separator, bool caseSensitive) {
  std::int32_t count = 0;
  ForEachField(text, separator, caseSensitive, [&](std::int32_t index, std::string_view) {
    count = index;
    return index < std::numeric_limits<std::int32_t>::max();
  });
  return count;
}

std::string ExtractField(std::string_view text, std::int32_t index, std::string_view separator, bool caseSensitive) {
  std::string field;
  if (index < 1) return field;
  ForEachField(text, separator, caseSensitive, [&](std::int32_t at, std::string_view value) {
    if (at < index) return true;
    field.assign(value);
    return false;
  });
  return field;
}

}  // namespace filedata
