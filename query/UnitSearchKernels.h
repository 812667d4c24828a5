#pragma once
// The search loops behind UnitSearch.h, written once for units of W bytes
// (1 or 2) and instantiated per text encoding with its line-break units as
// they lie in memory. Only UnitSearch.cpp includes this.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "query/CodeUnits.h"

#if !defined(FILEDATA_PORTABLE_LINE_SEARCH) && (defined(__SSE2__) || defined(__x86_64__))
#define FILEDATA_SSE2_SEARCH
#include <emmintrin.h>
#endif
#if !defined(FILEDATA_PORTABLE_LINE_SEARCH) && (defined(__x86_64__) || defined(__i386__)) && defined(__SSE2__)
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

// ---- Line ends, counted ----------------------------------------------------
// Each LF, and each CR the next unit does not follow with LF. A vector of
// compares gives 0xFF in every byte of such a unit; byte counters subtract
// them, four vectors a pass into two counters, each added up before it can
// pass 255: long passes keep the processor on the compares, not the loop.
//
// Units whose CR and LF read below 256 (UTF-16LE) are packed two vectors
// into one of bytes first, at half the compares: the saturation turns every
// other unit into 0x00 or 0xFF, never into a CR or LF.
template <std::size_t W, std::uint16_t CR, std::uint16_t LF>
constexpr bool kPacksToBytes = W == 2 && CR < 0x100 && LF < 0x100;
// The bytes of units one mask of VectorBytes covers, and how many of its
// bytes each line end fills.
template <std::size_t W, std::uint16_t CR, std::uint16_t LF, std::ptrdiff_t VectorBytes>
constexpr std::ptrdiff_t kMaskSpan = kPacksToBytes<W, CR, LF> ? 2 * VectorBytes : VectorBytes;
template <std::size_t W, std::uint16_t CR, std::uint16_t LF>
constexpr std::uint64_t kBytesPerEnd = kPacksToBytes<W, CR, LF> ? 1 : W;
constexpr std::ptrdiff_t kPassesPerSum = 127;  // two a pass into each byte counter

// The line ends of the units at P, and in LEAST the least of their bytes
// (packed or 8-bit units) or units, which is zero where a zero unit may be.
template <std::size_t W, std::uint16_t CR, std::uint16_t LF>
__m128i EndsAt128(const char* p, __m128i cr, __m128i lf, __m128i& least) {
  if constexpr (kPacksToBytes<W, CR, LF>) {
    const __m128i v = _mm_packus_epi16(Load128(p), Load128(p + 16));
    const __m128i next = _mm_packus_epi16(Load128(p + 2), Load128(p + 18));
    least = _mm_min_epu8(least, v);  // a zero unit packs to zero, and so does every unit from 0x8000 on
    return _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_andnot_si128(_mm_cmpeq_epi8(next, lf), _mm_cmpeq_epi8(v, cr)));
  } else {
    const __m128i v = Load128(p), next = Load128(p + W);
    least = _mm_min_epu8(least, v);  // for 2-byte units, any zero byte: the block is searched again
    return _mm_or_si128(Equal128<W>(v, lf), _mm_andnot_si128(Equal128<W>(next, lf), Equal128<W>(v, cr)));
  }
}

// The two 64-bit lanes of SUMS, each small enough for 32 bits.
inline std::uint64_t LaneSum128(__m128i sums) {
  return static_cast<std::uint64_t>(_mm_cvtsi128_si32(sums)) +
         static_cast<std::uint64_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
}
inline std::uint64_t ByteSum128(__m128i counts) { return LaneSum128(_mm_sad_epu8(counts, _mm_setzero_si128())); }

// The line ends of whole passes from P on, with P moved past them. With
// WatchZero it stops before a block in which a zero unit may lie, uncounted,
// so that one search finds both the line ends and the end of the text.
template <std::size_t W, std::uint16_t CR, std::uint16_t LF, bool WatchZero>
std::uint64_t CountPassesSse2(const char*& p, const char* end) {
  constexpr std::ptrdiff_t kSpan = kMaskSpan<W, CR, LF, 16>, kPass = 4 * kSpan, kNext = W;
  constexpr bool kPacks = kPacksToBytes<W, CR, LF>;
  const __m128i cr = kPacks ? _mm_set1_epi8(static_cast<char>(CR)) : Splat128<W>(CR);
  const __m128i lf = kPacks ? _mm_set1_epi8(static_cast<char>(LF)) : Splat128<W>(LF);
  std::uint64_t total = 0;
  while (end - p >= kPass + kNext) {
    const char* const stop = p + std::min((end - p - kNext) / kPass, kPassesPerSum) * kPass;
    __m128i even = _mm_setzero_si128(), odd = even, least = _mm_set1_epi8(-1);
    for (const char* q = p; q < stop; q += kPass) {
      even = _mm_sub_epi8(even, EndsAt128<W, CR, LF>(q, cr, lf, least));
      odd = _mm_sub_epi8(odd, EndsAt128<W, CR, LF>(q + kSpan, cr, lf, least));
      even = _mm_sub_epi8(even, EndsAt128<W, CR, LF>(q + 2 * kSpan, cr, lf, least));
      odd = _mm_sub_epi8(odd, EndsAt128<W, CR, LF>(q + 3 * kSpan, cr, lf, least));
    }
    if (WatchZero && _mm_movemask_epi8(_mm_cmpeq_epi8(least, _mm_setzero_si128())) != 0) break;
    total += (ByteSum128(even) + ByteSum128(odd)) / kBytesPerEnd<W, CR, LF>;
    p = stop;
  }
  return total;
}

template <std::size_t W, std::uint16_t CR, std::uint16_t LF>
std::uint64_t CountSse2(const char* p, const char* end) {
  const std::uint64_t passes = CountPassesSse2<W, CR, LF, false>(p, end);
  return passes + CountPortable<W, CR, LF>(p, end);
}

template <std::size_t W, std::uint16_t CR, std::uint16_t LF>
std::uint64_t CountToZeroSse2(const char* p, const char* end, const char*& zero) {
  const std::uint64_t passes = CountPassesSse2<W, CR, LF, true>(p, end);
  zero = FindZeroSse2<W>(p, end);
  return passes + CountSse2<W, CR, LF>(p, zero);
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
FILEDATA_AVX2 __m256i EndsAt256(const char* p, __m256i cr, __m256i lf, __m256i& least) {
  if constexpr (kPacksToBytes<W, CR, LF>) {
    // Packing keeps to each 128-bit half, for the units and the next alike,
    // so a byte and its next still lie side by side.
    const __m256i v = _mm256_packus_epi16(Load256(p), Load256(p + 32));
    const __m256i next = _mm256_packus_epi16(Load256(p + 2), Load256(p + 34));
    least = _mm256_min_epu8(least, v);
    return _mm256_or_si256(_mm256_cmpeq_epi8(v, lf),
                           _mm256_andnot_si256(_mm256_cmpeq_epi8(next, lf), _mm256_cmpeq_epi8(v, cr)));
  } else {
    const __m256i v = Load256(p), next = Load256(p + W);
    least = Min256<W>(least, v);
    return _mm256_or_si256(Equal256<W>(v, lf), _mm256_andnot_si256(Equal256<W>(next, lf), Equal256<W>(v, cr)));
  }
}

// Without 64-bit extracts, which a 32-bit build lacks.
FILEDATA_AVX2 inline std::uint64_t ByteSum256(__m256i counts) {
  const __m256i sums = _mm256_sad_epu8(counts, _mm256_setzero_si256());
  return LaneSum128(_mm_add_epi64(_mm256_castsi256_si128(sums), _mm256_extracti128_si256(sums, 1)));
}

template <std::size_t W, std::uint16_t CR, std::uint16_t LF, bool WatchZero>
FILEDATA_AVX2 std::uint64_t CountPassesAvx2(const char*& p, const char* end) {
  constexpr std::ptrdiff_t kSpan = kMaskSpan<W, CR, LF, 32>, kPass = 4 * kSpan, kNext = W;
  constexpr bool kPacks = kPacksToBytes<W, CR, LF>;
  const __m256i cr = kPacks ? _mm256_set1_epi8(static_cast<char>(CR)) : Splat256<W>(CR);
  const __m256i lf = kPacks ? _mm256_set1_epi8(static_cast<char>(LF)) : Splat256<W>(LF);
  std::uint64_t total = 0;
  while (end - p >= kPass + kNext) {
    const char* const stop = p + std::min((end - p - kNext) / kPass, kPassesPerSum) * kPass;
    __m256i even = _mm256_setzero_si256(), odd = even, least = _mm256_set1_epi8(-1);
    for (const char* q = p; q < stop; q += kPass) {
      even = _mm256_sub_epi8(even, EndsAt256<W, CR, LF>(q, cr, lf, least));
      odd = _mm256_sub_epi8(odd, EndsAt256<W, CR, LF>(q + kSpan, cr, lf, least));
      even = _mm256_sub_epi8(even, EndsAt256<W, CR, LF>(q + 2 * kSpan, cr, lf, least));
      odd = _mm256_sub_epi8(odd, EndsAt256<W, CR, LF>(q + 3 * kSpan, cr, lf, least));
    }
    const __m256i zeroes = kPacks ? _mm256_cmpeq_epi8(least, _mm256_setzero_si256())
                                  : Equal256<W>(least, _mm256_setzero_si256());
    if (WatchZero && _mm256_movemask_epi8(zeroes) != 0) break;
    total += (ByteSum256(even) + ByteSum256(odd)) / kBytesPerEnd<W, CR, LF>;
    p = stop;
  }
  return total;
}

template <std::size_t W, std::uint16_t CR, std::uint16_t LF>
FILEDATA_AVX2 std::uint64_t CountAvx2(const char* p, const char* end) {
  const std::uint64_t passes = CountPassesAvx2<W, CR, LF, false>(p, end);
  LeaveAvx();
  return passes + CountSse2<W, CR, LF>(p, end);
}

template <std::size_t W, std::uint16_t CR, std::uint16_t LF>
FILEDATA_AVX2 std::uint64_t CountToZeroAvx2(const char* p, const char* end, const char*& zero) {
  const std::uint64_t passes = CountPassesAvx2<W, CR, LF, true>(p, end);
  zero = FindZeroAvx2<W>(p, end);
  return passes + CountAvx2<W, CR, LF>(p, zero);
}
#endif

}  // namespace filedata::search
