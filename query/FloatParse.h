#pragma once
// Decimal floating-point text to an 80-bit extended value, computed digit by
// digit under a control word of the parser's own.
#include <cstdint>
#include <string_view>

#include "query/DecimalSeparator.h"

namespace filedata {

// Multiplies (E > 0) or divides (E < 0) by 10^|E| through three tables of
// powers; E <= -5120 gives 0 and E >= 5120 gives +infinity.
long double ScaleByPowerOfTen(long double value, std::int64_t exponent);

// Why a text is or is not a number, for an explanation.
struct TNumberReport {
  char Separator = '.';         // the decimal separator it was read with
  std::size_t StoppedAt = 0;    // 0-based byte where the text stops being a number; its size when it is one
  bool OutOfRange = false;      // a number, but beyond the extended range
};

// Never fails by exception. The caller's control word is restored and its
// exception flags are left cleared. REPORT, when given, learns why.
bool TryParseFloat(std::string_view text, long double& value, char separator = LocaleDecimalSeparator(),
                   TNumberReport* report = nullptr);

}  // namespace filedata
