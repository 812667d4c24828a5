#include "query/Filter.h"

namespace filedata {

namespace detail {
bool SeparatorAt(std::string_view text, std::size_t offset, std::string_view separator) noexcept {
  if (separator.size() > text.size() - offset) return false;  // a clamped cut never matches
  return text.substr(offset, separator.size()) == separator;
}
}  // namespace detail

bool SplitPair(std::string_view pair, std::string_view& key, std::string_view& value) {
  key = value = std::string_view();
  std::int32_t fields = 0;
  ForEachField(pair, "=", [&](std::int32_t index, std::string_view field) {
    (index == 1 ? key : value) = field;
    fields = index;
    return index < 2;
  });
  return fields == 2;
}

}  // namespace filedata
