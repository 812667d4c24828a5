#include "query/IntegerParse.h"

#include "query/Errors.h"
#include "query/Text.h"

namespace filedata {

namespace {
constexpr std::uint32_t kLastSafeHexValue = 0x0FFFFFFF;
constexpr std::uint32_t kLastSafeDecimalValue = 214748364;

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The 32-bit pattern of the hex digits; hexadecimal never fails on range,
// the pattern is taken as two's complement and a minus wraps around.
bool ParseHexDigits(std::string_view digits, bool negative, std::int32_t& result) {
  if (digits.empty()) return false;
  std::uint32_t value = 0;
  for (const char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0 || value > kLastSafeHexValue) return false;
    value = (value << 4) | static_cast<std::uint32_t>(digit);
  }
  if (negative) value = 0u - value;
  result = static_cast<std::int32_t>(value);
  return true;
}

bool ParseDecimalDigits(std::string_view digits, bool negative, std::int32_t& result) {
  if (digits.empty()) return false;
  std::uint32_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9' || value > kLastSafeDecimalValue) return false;
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
  }
  const std::int64_t signedValue = negative ? -static_cast<std::int64_t>(value) : value;
  if (signedValue < INT32_MIN || signedValue > INT32_MAX) return false;
  result = static_cast<std::int32_t>(signedValue);
  return true;
}

bool TryParseInteger(std::string_view text, std::int32_t& result) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::string_view rest = text.substr(i);
  if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
    return ParseHexDigits(rest.substr(1), negative, result);
  }
  if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    return ParseHexDigits(rest.substr(2), negative, result);
  }
  return ParseDecimalDigits(rest, negative, result);
}
}  // namespace

std::int32_t ParseInteger(std::string_view text) {
  std::int32_t result = 0;
  if (!TryParseInteger(UpToFirstZero(text), result)) throw EConvertError::InvalidInteger(text);
  return result;
}

}  // namespace filedata
