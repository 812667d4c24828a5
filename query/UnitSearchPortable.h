#pragma once
// The search loops of UnitSearch.h that run anywhere: eight bytes at a time
// in a 64-bit word, written once for units of W bytes (1 or 2) and
// instantiated per text encoding with its line-break units as they lie in
// memory. The vector loops fall back on them for their last bytes. Only the
// search headers and UnitSearch.cpp include this.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "query/CodeUnits.h"

namespace filedata::search {

template <std::size_t W>
constexpr std::uint64_t kLaneOnes = W == 1 ? 0x0101010101010101ull : 0x0001000100010001ull;
template <std::size_t W>
constexpr std::uint64_t kLaneHighs = W == 1 ? 0x8080808080808080ull : 0x8000800080008000ull;

// The high bit of each zero lane of V. Borrows only spill upwards, so the
// lowest flagged lane is exact.
template <std::size_t W>
constexpr std::uint64_t ZeroLanes(std::uint64_t v) {
  return (v - kLaneOnes<W>) & ~v & kLaneHighs<W>;
}

inline std::uint64_t Load8(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

template <std::size_t W, std::uint16_t... Units>
bool IsAnyOf(const char* p) {
  const std::uint16_t unit = UnitAt(p, W);
  return ((unit == Units) || ...);
}

template <std::size_t W, std::uint16_t... Units>
const char* FindFirstPortable(const char* p, const char* end) {
  for (; end - p >= 8; p += 8) {
    const std::uint64_t word = Load8(p);
    const std::uint64_t hits = (ZeroLanes<W>(word ^ (Units * kLaneOnes<W>)) | ...);
    // The lowest set bit is the top bit of the first hit's lane (little-endian).
    if (hits != 0) return p + ((__builtin_ctzll(hits) / 8) & ~(W - 1));
  }
  while (p < end && !IsAnyOf<W, Units...>(p)) p += W;
  return p;
}

template <std::size_t W, std::uint16_t CR, std::uint16_t LF>
const char* FindLastPortable(const char* begin, const char* end) {
  while (end > begin) {
    end -= W;
    if (IsAnyOf<W, CR, LF>(end)) return end;
  }
  return nullptr;
}

// The unit after END counts as no LF.
template <std::size_t W, std::uint16_t CR, std::uint16_t LF>
std::uint64_t CountPortable(const char* p, const char* end) {
  if (p == end) return 0;
  std::uint64_t ends = 0;
  const char* const last = end - W;
  for (; p < last; p += W) {
    const std::uint16_t unit = UnitAt(p, W);
    ends += unit == LF || (unit == CR && UnitAt(p + W, W) != LF);
  }
  return ends + IsAnyOf<W, CR, LF>(last);
}

template <std::size_t W, std::uint16_t CR, std::uint16_t LF>
std::uint64_t CountToZeroPortable(const char* p, const char* end, const char*& zero) {
  zero = FindFirstPortable<W, 0>(p, end);
  return CountPortable<W, CR, LF>(p, zero);
}

}  // namespace filedata::search
