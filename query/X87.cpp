#include "query/X87.h"

#include <cmath>

#include "query/Errors.h"

namespace filedata::x87 {

namespace {
// The environment image FNSTENV writes (28 bytes in both 32- and 64-bit modes).
struct Environment {
  std::uint32_t words[7];
};
}  // namespace

void AdoptCallerControlWord() {
  const std::uint16_t word = ReadControlWord();
  asm volatile("fninit" ::: "memory");
  LoadControlWord(word);
}

double StoreAsDouble(long double value) {
  Environment saved;
  // FNSTENV also masks every exception, so the store below cannot trap; the
  // caller's word and flags come back unchanged with FLDENV.
  asm volatile("fnstenv %0" : "=m"(saved)::"memory");
  volatile double stored = static_cast<double>(value);
  asm volatile("fldenv %0" ::"m"(saved) : "memory");
  const double result = stored;
  const auto callerWord = static_cast<std::uint16_t>(saved.words[0]);
  if (std::isinf(result) && !std::isinf(value) && !(callerWord & kOverflowMask)) {
    throw EOverflow::FloatingPointOverflow();
  }
  return result;
}

}  // namespace filedata::x87
