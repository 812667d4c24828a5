#pragma once
// The search loops of UnitSearch.h thirty-two bytes at a time, with AVX2,
// compiled for it function by function so that the rest of the build runs
// on any processor; UnitSearch.cpp uses them only where the processor has
// AVX2. FILEDATA_AVX2_SEARCH says this build has them.
#include <cstddef>
#include <cstdint>

#include "query/UnitSearchSse2.h"

#if !defined(FILEDATA_PORTABLE_LINE_SEARCH) && (defined(__x86_64__) || defined(__i386__)) && defined(__SSE2__)
#define FILEDATA_AVX2_SEARCH
#include <immintrin.h>
#endif

#if defined(FILEDATA_AVX2_SEARCH)
namespace filedata::search {

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

}  // namespace filedata::search
#endif
