#include "query/Errors.h"

#include <charconv>

namespace filedata {

namespace {
constexpr std::string_view kInvalidInteger = "'%s' is not a valid integer value";
constexpr std::string_view kListIndexError = "List index out of bounds (%d)";
constexpr std::string_view kCannotOpenFile = "Cannot open file \"%s\". %s";
constexpr std::string_view kCannotReadFile = "Cannot read file \"%s\". %s";
constexpr std::string_view kFloatOverflow = "Floating point overflow";
}  // namespace

std::string FormatMessageText(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(pattern.size() + 32);
  auto next = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const bool placeholder = pattern[i] == '%' && i + 1 < pattern.size() &&
                             (pattern[i + 1] == 's' || pattern[i + 1] == 'd');
    if (placeholder && next != args.end()) {
      out.append(*next++);
      ++i;
    } else {
      out.push_back(pattern[i]);
    }
  }
  return out;
}

EConvertError EConvertError::InvalidInteger(std::string_view text) {
  return EConvertError(FormatMessageText(kInvalidInteger, {text}));
}

EStringListError EStringListError::IndexOutOfBounds(std::int64_t index) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, index).ptr;
  return EStringListError(FormatMessageText(kListIndexError, {std::string_view(digits, end - digits)}));
}

EFOpenError EFOpenError::CannotOpen(std::string_view fullPath, std::string_view systemText) {
  return EFOpenError(FormatMessageText(kCannotOpenFile, {fullPath, systemText}));
}

EReadError EReadError::CannotRead(std::string_view fullPath, std::string_view systemText) {
  return EReadError(FormatMessageText(kCannotReadFile, {fullPath, systemText}));
}

EOverflow EOverflow::FloatingPointOverflow() { return EOverflow(std::string(kFloatOverflow)); }

}  // namespace filedata
