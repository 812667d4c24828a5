#include "query/X87.h"

#include "query/Errors.h"

namespace filedata::x87 {

namespace {
// The environment image FNSTENV writes (28 bytes in both 32- and 64-bit modes).
struct TEnvironment {
  std::uint32_t words[7];
};

constexpr std::uint16_t kAllExceptionMasks = 0x003F;
constexpr std::uint16_t kRoundingBits = 0x0C00;

// How the caller wants a double stored: its rounding, in the x87 word's
// bits, and whether it masks overflow.
struct TCallerRules {
  std::uint16_t rounding;
  bool overflowMasked;
};

#if defined(__x86_64__)
// A 64-bit caller's floating point is SSE: its rounding and overflow mask
// live in MXCSR, whose rounding field has the x87 encoding.
constexpr std::uint32_t kMxcsrOverflowMask = 0x0400;
constexpr int kMxcsrRoundingShift = 13;

TCallerRules CallerRules(std::uint16_t) {
  std::uint32_t mxcsr;
  asm volatile("stmxcsr %0" : "=m"(mxcsr));
  return {static_cast<std::uint16_t>(((mxcsr >> kMxcsrRoundingShift) & 3u) << 10), (mxcsr & kMxcsrOverflowMask) != 0};
}
#else
// A 32-bit caller's floating point is the x87 unit itself.
TCallerRules CallerRules(std::uint16_t callerWord) {
  return {static_cast<std::uint16_t>(callerWord & kRoundingBits), (callerWord & kOverflowMask) != 0};
}
#endif
}  // namespace

void AdoptCallerControlWord() {
  const std::uint16_t word = ReadControlWord();
  asm volatile("fninit" ::: "memory");
  LoadControlWord(word);
}

double StoreAsDouble(long double value) {
  TEnvironment saved;
  // FNSTENV also masks every exception, so the store below cannot trap; the
  // caller's word and flags come back unchanged with FLDENV. VALUE is an
  // operand so that it is loaded only afterwards: a register loaded before
  // would be marked in use again by FLDENV and leak from the x87 stack.
  asm volatile("fnstenv %0" : "=m"(saved), "+m"(value)::"memory");
  const auto callerWord = static_cast<std::uint16_t>(saved.words[0]);
  const TCallerRules rules = CallerRules(callerWord);
  LoadControlWord(static_cast<std::uint16_t>((callerWord & ~kRoundingBits) | kAllExceptionMasks | rules.rounding));
  ClearExceptionFlags();
  volatile double stored = static_cast<double>(value);
  // Directed rounding stores the largest finite double on overflow, so the
  // store's own overflow flag decides, not an infinite result.
  const bool overflowed = (ReadStatusWord() & kOverflowFlag) != 0;
  asm volatile("fldenv %0" ::"m"(saved) : "memory");
  if (overflowed && !rules.overflowMasked) throw EOverflow::FloatingPointOverflow();
  return stored;
}

}  // namespace filedata::x87
