#pragma once
// The calling thread's floating-point rules as a host sets them: the x87
// word in a 32-bit process, MXCSR in a 64-bit one (where _controlfp sets
// MXCSR). Restored when the scope ends.
#include <cstdint>

#if defined(__x86_64__)
#include <xmmintrin.h>
#endif

#include "query/X87.h"

namespace filedata::testing {

enum class TRounding : unsigned { Nearest = 0, Down = 1, Up = 2, TowardZero = 3 };

class TCallerRulesScope {
 public:
  TCallerRulesScope(TRounding rounding, bool overflowMasked) {
    const auto mode = static_cast<unsigned>(rounding);
#if defined(__x86_64__)
    constexpr unsigned kRounding = 0x6000, kOverflowMask = 0x0400;
    _mm_setcsr((saved_ & ~(kRounding | kOverflowMask)) | (mode << 13) | (overflowMasked ? kOverflowMask : 0));
#else
    constexpr unsigned kRounding = 0x0C00, kOverflowMask = 0x0008;
    x87::ClearExceptionFlags();  // a pending flag would trap once unmasked
    x87::LoadControlWord(static_cast<std::uint16_t>((saved_ & ~(kRounding | kOverflowMask)) | (mode << 10) |
                                                    (overflowMasked ? kOverflowMask : 0)));
#endif
  }
  ~TCallerRulesScope() {
#if defined(__x86_64__)
    _mm_setcsr(saved_);
#else
    x87::ClearExceptionFlags();
    x87::LoadControlWord(saved_);
#endif
  }
  TCallerRulesScope(const TCallerRulesScope&) = delete;
  TCallerRulesScope& operator=(const TCallerRulesScope&) = delete;

  // The caller's whole word as it stands, flags included.
  static unsigned Current() {
#if defined(__x86_64__)
    return _mm_getcsr();
#else
    return x87::ReadControlWord() | (static_cast<unsigned>(x87::ReadStatusWord() & 0x3F) << 16);
#endif
  }

 private:
#if defined(__x86_64__)
  unsigned saved_ = _mm_getcsr();
#else
  std::uint16_t saved_ = x87::ReadControlWord();
#endif
};

}  // namespace filedata::testing
