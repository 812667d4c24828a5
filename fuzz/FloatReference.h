#pragma once
// The floating-point rule written out plainly, as the reference of the
// number test: which texts are numbers, and, where one correctly rounded
// step computes it, the value (from strtold).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace filedata::fuzz {

struct TReferenceFloat {
  bool WellFormed = false;  // the grammar accepts it
  // So large that the extended range may not hold it: whether it is a
  // number is the arithmetic's to say, not the grammar's.
  bool NearTheRange = false;
  // At most 19 significant digits and a decimal exponent of at most 27 in
  // size: one correctly rounded step, so Value is exact.
  bool Checkable = false;
  long double Value = 0;
};

inline bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// TEXT up to its first zero byte, read with SEPARATOR: blanks, a sign,
// digits, the separator and digits (at least one digit or the separator),
// then E or e, a sign and exponent digits read until their value reaches
// 500, then blanks, then the end.
inline TReferenceFloat ReadReferenceFloat(std::string_view text, char separator) {
  text = text.substr(0, text.find('\0'));
  TReferenceFloat read;
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t mantissaStart = i;
  std::string digits;
  std::int64_t fractionDigits = 0;
  while (i < text.size() && IsDecimalDigit(text[i])) digits += text[i++];
  if (i < text.size() && text[i] == separator) {
    for (++i; i < text.size() && IsDecimalDigit(text[i]); ++i, ++fractionDigits) digits += text[i];
  }
  if (i == mantissaStart) return read;
  std::int64_t exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    const bool negativeExponent = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    while (i < text.size() && IsDecimalDigit(text[i]) && exponent < 500) exponent = exponent * 10 + (text[i++] - '0');
    if (negativeExponent) exponent = -exponent;
  }
  while (i < text.size() && text[i] == ' ') ++i;
  read.WellFormed = i == text.size();
  if (!read.WellFormed) return read;

  const std::size_t firstNonZero = digits.find_first_not_of('0');
  const auto significant =
      static_cast<std::int64_t>(firstNonZero == std::string::npos ? 0 : digits.size() - firstNonZero);
  const std::int64_t decimalExponent = exponent - fractionDigits;
  // The digits are gathered into one value before scaling: that value, and
  // the scaled one, must fit the extended range of about 1.19e4932.
  read.NearTheRange = significant > 4900 || (significant > 0 && significant + decimalExponent > 4900);
  read.Checkable = significant <= 19 && decimalExponent >= -27 && decimalExponent <= 27;
  if (read.Checkable) {
    std::string plain = std::string(negative ? "-" : "") + (digits.empty() ? "0" : digits) + "e" +
                        std::to_string(decimalExponent);
    read.Value = std::strtold(plain.c_str(), nullptr);
  }
  return read;
}

}  // namespace filedata::fuzz
