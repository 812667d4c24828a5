#pragma once
// The search loops of UnitSearch.h sixteen bytes at a time, with SSE2, which
// every x86-64 processor has: the first and last of some units, the zero
// unit, and the line ends counted. FILEDATA_SSE2_SEARCH says this build has
// them. Only UnitSearch.cpp and the AVX2 loops include this.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "query/UnitSearchPortable.h"

#if !defined(FILEDATA_PORTABLE_LINE_SEARCH) && (defined(__SSE2__) || defined(__x86_64__))
#define FILEDATA_SSE2_SEARCH
#include <emmintrin.h>
#endif

#if defined(FILEDATA_SSE2_SEARCH)
namespace filedata::search {

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

}  // namespace filedata::search
#endif
