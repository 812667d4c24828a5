#include "query/FloatParse.h"

#include <limits>

#include "query/Text.h"
#include "query/X87.h"

namespace filedata {

namespace {
#include "query/PowersOfTen.inc"

// The exponent's digits are read only while its value stays below this.
constexpr int kExponentReadLimit = 500;
constexpr std::int64_t kScaleLimit = 5120;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Where the parts of a number lie in its text; only syntax, no arithmetic.
struct TNumberLayout {
  std::string_view integerDigits;
  std::string_view fractionDigits;
  bool negative = false;
  std::int64_t exponent = 0;  // signed, at most 4999 in size
};

// False with STOPPED at the first byte that breaks the form.
bool ScanNumber(std::string_view text, char separator, TNumberLayout& layout, std::size_t& stopped) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto readDigits = [&] {
    const std::size_t start = i;
    while (i < n && IsDigit(text[i])) ++i;
    return text.substr(start, i - start);
  };
  while (i < n && text[i] == ' ') ++i;
  if (i < n && (text[i] == '+' || text[i] == '-')) layout.negative = text[i++] == '-';
  layout.integerDigits = readDigits();
  bool sawSeparator = false;
  if (i < n && text[i] == separator) {
    sawSeparator = true;
    ++i;
    layout.fractionDigits = readDigits();
  }
  stopped = i;
  if (layout.integerDigits.empty() && layout.fractionDigits.empty() && !sawSeparator) return false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    std::int64_t exponent = 0;
    while (i < n && IsDigit(text[i]) && exponent < kExponentReadLimit) exponent = exponent * 10 + (text[i++] - '0');
    layout.exponent = negativeExponent ? -exponent : exponent;
  }
  while (i < n && text[i] == ' ') ++i;
  stopped = i;
  return i == n;
}

long double AccumulateDigits(long double m, std::string_view digits) {
  for (const char c : digits) m = m * 10.0L + static_cast<long double>(c - '0');
  return m;
}
}  // namespace

long double ScaleByPowerOfTen(long double value, std::int64_t exponent) {
  if (exponent == 0) return value;
  if (exponent <= -kScaleLimit) return 0.0L;
  if (exponent >= kScaleLimit) return std::numeric_limits<long double>::infinity();
  const bool divide = exponent < 0;
  const std::int64_t e = divide ? -exponent : exponent;
  const long double factors[3] = {kPowersLow[e % 32], kPowersMid[(e / 32) % 16], kPowersHigh[e / 512]};
  const bool used[3] = {true, (e / 32) % 16 != 0, e / 512 != 0};
  for (int k = 0; k < 3; ++k) {
    if (!used[k]) continue;
    value = divide ? value / factors[k] : value * factors[k];
  }
  return value;
}

bool TryParseFloat(std::string_view text, long double& value, char separator, TNumberReport* report) {
  const std::uint16_t callerWord = x87::ReadControlWord();
  x87::ClearExceptionFlags();
  x87::LoadControlWord(x87::kParseControlWord);

  TNumberLayout layout;
  std::size_t stopped = 0;
  const bool wellFormed = ScanNumber(UpToFirstZero(text), separator, layout, stopped);
  bool accepted = wellFormed;
  if (accepted) {
    long double m = AccumulateDigits(AccumulateDigits(0.0L, layout.integerDigits), layout.fractionDigits);
    m = ScaleByPowerOfTen(m, layout.exponent - static_cast<std::int64_t>(layout.fractionDigits.size()));
    if (layout.negative) m = -m;
    // The volatile store keeps the arithmetic ahead of the status read.
    volatile long double result = m;
    accepted = !(x87::ReadStatusWord() & (x87::kInvalidFlag | x87::kOverflowFlag));
    if (accepted) value = result;
  }

  x87::ClearExceptionFlags();
  x87::LoadControlWord(callerWord);
  if (report) *report = {separator, stopped, wellFormed && !accepted};
  return accepted;
}

}  // namespace filedata
