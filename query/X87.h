#pragma once
// The x87 floating-point unit's control and status words. Number parsing
// runs under a word of its own and then gives the caller's word back.
#include <cstdint>

#if !defined(__i386__) && !defined(__x86_64__)
#error "The number parser computes in x87 extended precision and needs an x86 or x86-64 target."
#endif

namespace filedata::x87 {

constexpr std::uint16_t kInvalidFlag = 0x0001;
constexpr std::uint16_t kOverflowFlag = 0x0008;
constexpr std::uint16_t kOverflowMask = 0x0008;
// All six exceptions masked, 64-bit significand, round to nearest, affine.
constexpr std::uint16_t kParseControlWord = 0x133F;

inline std::uint16_t ReadControlWord() {
  std::uint16_t word;
  asm volatile("fnstcw %0" : "=m"(word)::"memory");
  return word;
}

inline void LoadControlWord(std::uint16_t word) { asm volatile("fldcw %0" ::"m"(word) : "memory"); }

inline void ClearExceptionFlags() { asm volatile("fnclex" ::: "memory"); }

inline std::uint16_t ReadStatusWord() {
  std::uint16_t word;
  asm volatile("fnstsw %0" : "=m"(word)::"memory");
  return word;
}

// Re-initialises the unit with the calling thread's own word, as the
// library does once at load so that it imposes no word of its own.
void AdoptCallerControlWord();

// Stores an extended value into a double under the calling thread's rules:
// the x87 word in a 32-bit build, MXCSR in a 64-bit one, whose code does its
// floating point in SSE. It rounds in the caller's direction; a value beyond
// the double range becomes what the masked unit gives (an infinity, or the
// largest double under directed rounding) when the caller masks overflow,
// and raises EOverflow when it does not. The check is made here, never left
// to a hardware trap, and the caller's flags are left as they were.
double StoreAsDouble(long double value);

}  // namespace filedata::x87
