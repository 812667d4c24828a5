#include "query/Errors.h"

#include <charconv>

namespace filedata {

namespace {
constexpr std::string_view kInvalidInteger = "'%s' is not a valid integer value";
constexpr std::string_view kListIndexError = "List index out of bounds (%d)";
constexpr std::string_view kCannotOpenFile = "Cannot open file \"%s\". %s";
constexpr std::string_view kCannotReadFile = "Cannot read file \"%s\". %s";
constexpr std::string_view kFloatOverflow = "Floating point overflow";
constexpr std::string_view kLineTooLong =
    "Line %d is %d bytes long, too long for the plug-in to hand over; set START and LENGTH to cut a part of it";
constexpr std::string_view kLastLineTooLong =
    "The last line is %d bytes long, too long for the plug-in to hand over; set START and LENGTH to cut a part of it";
}  // namespace

TMessageArgument::TMessageArgument(std::int64_t number) noexcept : isNumber_(true) {
  size_ = static_cast<std::size_t>(std::to_chars(digits_, digits_ + sizeof digits_, number).ptr - digits_);
}

std::string FormatMessageText(std::string_view pattern, std::initializer_list<TMessageArgument> args) {
  std::string out;
  out.reserve(pattern.size() + 32);
  auto next = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const bool placeholder = pattern[i] == '%' && i + 1 < pattern.size() && next != args.end() &&
                             pattern[i + 1] == next->Placeholder();
    if (placeholder) {
      out.append((next++)->Text());
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

EStringListError EStringListError::ListIndexError(std::int64_t index) {
  return EStringListError(FormatMessageText(kListIndexError, {index}));
}

EFOpenError EFOpenError::CannotOpen(std::string_view fullPath, std::string_view systemText) {
  return EFOpenError(FormatMessageText(kCannotOpenFile, {fullPath, systemText}));
}

EReadError EReadError::CannotRead(std::string_view fullPath, std::string_view systemText) {
  return EReadError(FormatMessageText(kCannotReadFile, {fullPath, systemText}));
}

ELineTooLong ELineTooLong::TooLong(std::int64_t number, std::uint64_t bytes) {
  const auto length = static_cast<std::int64_t>(bytes);
  return ELineTooLong(number > 0 ? FormatMessageText(kLineTooLong, {number, length})
                                 : FormatMessageText(kLastLineTooLong, {length}));
}

EOverflow EOverflow::FloatingPointOverflow() { return EOverflow(std::string(kFloatOverflow)); }

}  // namespace filedata
