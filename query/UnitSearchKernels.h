#pragma once
// The search loops behind UnitSearch.h, written once for units of W bytes
// (1 or 2) and instantiated per text encoding with its line-break units as
// they lie in memory. Only UnitSearch.cpp includes this.
#include <cstdint>
#include <cstring>

#include "query/CodeUnits.h"

#if !defined(FILEDATA_PORTABLE_LINE_SEARCH) && (defined(__SSE2__) || defined(__x86_64__))
#define FILEDATA_SSE2_SEARCH
#include <emmintrin.h>
#endif
#if !defined(FILEDATA_PORTABLE_LINE_SEARCH) && defined(__x86_64__)
#define FILEDATA_AVX2_SEARCH
#include <immintrin.h>
#endif

namespace filedata::search {

// ---- Eight bytes at a time -------------------------------------------------

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
  std::uint64_t ends = 0;
  for (; p < end; p += W) {
    const std::uint16_t unit = UnitAt(p, W);
    ends += unit == LF || (unit == CR && (p + W == end || UnitAt(p + W, W) != LF));
  }
  return ends;
}

#if defined(FILEDATA_SSE2_SEARCH)
// ---- SSE2: sixteen bytes at a time -----------------------------------------

inline __m128i Load128(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

template <std::size_t W>
__m128i Splat128(std::uint16_t unit) {
  if constexpr (W == 1) return _mm_set1_epi8(static_cast<char>(unit));
  else return _mm_set1_epi16(static_cast<short>(unit));
}

template <std::size_t W>
__m128i Equal128(__m128i a, __m128i b) {
  if constexpr (W == 1) return _mm_cmpeq_epi8(a, b);
  else return _mm_cmpeq_epi16(a, b);
}

// A lane's bits in a byte mask: W of them, so the lowest is its first byte.
template <std::size_t W, std::uint16_t... Units>
unsigned Matches128(const char* p) {
  const __m128i v = Load128(p);
  __m128i hits = _mm_setzero_si128();
  ((hits = _mm_or_si128(hits, Equal128<W>(v, Splat128<W>(Units)))), ...);
  return static_cast<unsigned>(_mm_movemask_epi8(hits));
}

template <std::size_t W, std::uint16_t... Units>
const char* FindFirstSse2(const char* p, const char* end) {
  for (; end - p >= 16; p += 16) {
    if (const unsigned mask = Matches128<W, Units...>(p)) return p + __builtin_ctz(mask);
  }
  return FindFirstPortable<W, Units...>(p, end);
}

// Four blocks at once. Bytes: a zero anywhere is a zero in their minimum;
// SSE2 has no unsigned minimum of 16-bit lanes, so units compare each block.
template <std::size_t W>
bool AnyZeroIn64Sse2(const char* p) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i a = Load128(p), b = Load128(p + 16), c = Load128(p + 32), d = Load128(p + 48);
  if constexpr (W == 1) {
    return _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(_mm_min_epu8(a, b), _mm_min_epu8(c, d)), zero)) != 0;
  } else {
    const __m128i ab = _mm_or_si128(_mm_cmpeq_epi16(a, zero), _mm_cmpeq_epi16(b, zero));
    const __m128i cd = _mm_or_si128(_mm_cmpeq_epi16(c, zero), _mm_cmpeq_epi16(d, zero));
    return _mm_movemask_epi8(_mm_or_si128(ab, cd)) != 0;
  }
}

template <std::size_t W>
const char* FindZeroSse2(const char* p, const char* end) {
  while (end - p >= 64 && !AnyZeroIn64Sse2<W>(p)) p += 64;
  return FindFirstSse2<W, 0>(p, end);
}

template <std::size_t W, std::uint16_t CR, std::uint16_t LF>
const char* FindLastSse2(const char* begin, const char* end) {
  for (; end - begin >= 16; end -= 16) {
    if (const unsigned mask = Matches128<W, CR, LF>(end - 16)) return end - 16 + (31 - __builtin_clz(mask)) - (W - 1);
  }
  return FindLastPortable<W, CR, LF>(begin, end);
}

template <std::size_t W, std::uint16_t CR, std::uint16_t LF>
std::uint64_t CountSse2(const char* p, const char* end) {
  const __m128i cr = Splat128<W>(CR), lf = Splat128<W>(LF), zero = _mm_setzero_si128();
  std::uint64_t total = 0;
  // A byte counter per lane, added up before it can pass 255; a unit's end
  // counts once in each of its W bytes.
  while (end - p >= static_cast<std::ptrdiff_t>(16 + W)) {
    __m128i counts = zero;
    for (int block = 0; block < 255 && end - p >= static_cast<std::ptrdiff_t>(16 + W); ++block, p += 16) {
      const __m128i v = Load128(p), next = Load128(p + W);
      const __m128i ends =
          _mm_or_si128(Equal128<W>(v, lf), _mm_andnot_si128(Equal128<W>(next, lf), Equal128<W>(v, cr)));
      counts = _mm_sub_epi8(counts, ends);
    }
    const __m128i sums = _mm_sad_epu8(counts, zero);
    total += (static_cast<std::uint64_t>(_mm_cvtsi128_si32(sums)) +
              static_cast<std::uint64_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)))) /
             W;
  }
  return total + CountPortable<W, CR, LF>(p, end);
}
#endif

#if defined(FILEDATA_AVX2_SEARCH)
// ---- AVX2: thirty-two bytes at a time --------------------------------------
#define FILEDATA_AVX2 __attribute__((target("avx2")))

// The shorter tails go to the SSE2 loops, whose legacy encoding pays for
// dirty upper register halves on some processors: clear them first.
FILEDATA_AVX2 inline void LeaveAvx() { _mm256_zeroupper(); }

FILEDATA_AVX2 inline __m256i Load256(const char* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

template <std::size_t W>
FILEDATA_AVX2 __m256i Splat256(std::uint16_t unit) {
  if constexpr (W == 1) return _mm256_set1_epi8(static_cast<char>(unit));
  else return _mm256_set1_epi16(static_cast<short>(unit));
}

template <std::size_t W>
FILEDATA_AVX2 __m256i Equal256(__m256i a, __m256i b) {
  if constexpr (W == 1) return _mm256_cmpeq_epi8(a, b);
  else return _mm256_cmpeq_epi16(a, b);
}

template <std::size_t W>
FILEDATA_AVX2 __m256i Min256(__m256i a, __m256i b) {
  if constexpr (W == 1) return _mm256_min_epu8(a, b);
  else return _mm256_min_epu16(a, b);
}

template <std::size_t W, std::uint16_t... Units>
FILEDATA_AVX2 unsigned Matches256(const char* p) {
  const __m256i v = Load256(p);
  __m256i hits = _mm256_setzero_si256();
  ((hits = _mm256_or_si256(hits, Equal256<W>(v, Splat256<W>(Units)))), ...);
  return static_cast<unsigned>(_mm256_movemask_epi8(hits));
}

template <std::size_t W, std::uint16_t... Units>
FILEDATA_AVX2 const char* FindFirstAvx2(const char* p, const char* end) {
  for (; end - p >= 32; p += 32) {
    if (const unsigned mask = Matches256<W, Units...>(p)) return p + __builtin_ctz(mask);
  }
  LeaveAvx();
  return FindFirstSse2<W, Units...>(p, end);
}

template <std::size_t W>
FILEDATA_AVX2 const char* FindZeroAvx2(const char* p, const char* end) {
  // Four blocks at once: a zero unit anywhere is a zero in their minimum.
  for (; end - p >= 128; p += 128) {
    const __m256i low = Min256<W>(Load256(p), Load256(p + 32));
    const __m256i high = Min256<W>(Load256(p + 64), Load256(p + 96));
    if (_mm256_movemask_epi8(Equal256<W>(Min256<W>(low, high), _mm256_setzero_si256()))) break;
  }
  return FindFirstAvx2<W, 0>(p, end);
}

template <std::size_t W, std::uint16_t CR, std::uint16_t LF>
FILEDATA_AVX2 const char* FindLastAvx2(const char* begin, const char* end) {
  for (; end - begin >= 32; end -= 32) {
    if (const unsigned mask = Matches256<W, CR, LF>(end - 32)) return end - 32 + (31 - __builtin_clz(mask)) - (W - 1);
  }
  LeaveAvx();
  return FindLastSse2<W, CR, LF>(begin, end);
}

template <std::size_t W, std::uint16_t CR, std::uint16_t LF>
FILEDATA_AVX2 std::uint64_t CountAvx2(const char* p, const char* end) {
  const __m256i cr = Splat256<W>(CR), lf = Splat256<W>(LF), zero = _mm256_setzero_si256();
  std::uint64_t total = 0;
  while (end - p >= static_cast<std::ptrdiff_t>(32 + W)) {
    __m256i counts = zero;
    for (int block = 0; block < 255 && end - p >= static_cast<std::ptrdiff_t>(32 + W); ++block, p += 32) {
      const __m256i v = Load256(p), next = Load256(p + W);
      const __m256i ends =
          _mm256_or_si256(Equal256<W>(v, lf), _mm256_andnot_si256(Equal256<W>(next, lf), Equal256<W>(v, cr)));
      counts = _mm256_sub_epi8(counts, ends);
    }
    const __m256i sums = _mm256_sad_epu8(counts, zero);
    total += (static_cast<std::uint64_t>(_mm256_extract_epi64(sums, 0)) +
              static_cast<std::uint64_t>(_mm256_extract_epi64(sums, 1)) +
              static_cast<std::uint64_t>(_mm256_extract_epi64(sums, 2)) +
              static_cast<std::uint64_t>(_mm256_extract_epi64(sums, 3))) /
             W;
  }
  LeaveAvx();
  return total + CountSse2<W, CR, LF>(p, end);
}
#endif

}  // namespace filedata::search
