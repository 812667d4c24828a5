#include "query/ByteSearch.h"

#include <cstring>
#include <vector>

#if !defined(FILEDATA_PORTABLE_LINE_SEARCH) && (defined(__SSE2__) || defined(__x86_64__))
#define FILEDATA_SSE2_SEARCH
#include <emmintrin.h>
#endif
#if !defined(FILEDATA_PORTABLE_LINE_SEARCH) && defined(__x86_64__)
#define FILEDATA_AVX2_SEARCH
#include <immintrin.h>
#endif

namespace filedata {

namespace {
constexpr char kCR = '\r';
constexpr char kLF = '\n';
constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// Borrows only spill upwards, so the lowest flagged byte is exact.
constexpr std::uint64_t ZeroBytes(std::uint64_t v) { return (v - kOnes) & ~v & kHighBits; }

std::uint64_t Load8(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

bool IsBreak(char c) { return c == kCR || c == kLF; }

// Counts the tail the vector loops leave; the byte after END is no LF.
std::uint64_t CountLineEndsBytewise(const char* p, const char* end) {
  std::uint64_t ends = 0;
  for (; p < end; ++p) ends += *p == kLF || (*p == kCR && (p + 1 == end || p[1] != kLF));
  return ends;
}

const char* FindLineBreakPortable(const char* p, const char* end) {
  while (end - p >= 8) {
    const std::uint64_t word = Load8(p);
    const std::uint64_t hits = ZeroBytes(word) | ZeroBytes(word ^ (kOnes * kCR)) | ZeroBytes(word ^ (kOnes * kLF));
    if (hits != 0) return p + __builtin_ctzll(hits) / 8;
    p += 8;
  }
  while (p < end && *p != '\0' && !IsBreak(*p)) ++p;
  return p;
}

const char* FindZeroBytePortable(const char* p, const char* end) {
  while (end - p >= 8) {
    const std::uint64_t hits = ZeroBytes(Load8(p));
    if (hits != 0) return p + __builtin_ctzll(hits) / 8;
    p += 8;
  }
  while (p < end && *p != '\0') ++p;
  return p;
}

const char* FindLastLineBreakPortable(const char* begin, const char* end) {
  while (end > begin) {
    if (IsBreak(*--end)) return end;
  }
  return nullptr;
}

#if defined(FILEDATA_SSE2_SEARCH)
const char* FindLineBreakSse2(const char* p, const char* end) {
  const __m128i zero = _mm_setzero_si128(), cr = _mm_set1_epi8(kCR), lf = _mm_set1_epi8(kLF);
  for (; end - p >= 16; p += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hits =
        _mm_or_si128(_mm_cmpeq_epi8(v, zero), _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
    if (const int mask = _mm_movemask_epi8(hits)) return p + __builtin_ctz(static_cast<unsigned>(mask));
  }
  return FindLineBreakPortable(p, end);
}

const char* FindZeroByteSse2(const char* p, const char* end) {
  const __m128i zero = _mm_setzero_si128();
  // Four blocks at a time: a zero anywhere in them is a zero in their minimum.
  for (; end - p >= 64; p += 64) {
    const auto* v = reinterpret_cast<const __m128i*>(p);
    const __m128i low = _mm_min_epu8(_mm_loadu_si128(v), _mm_loadu_si128(v + 1));
    const __m128i high = _mm_min_epu8(_mm_loadu_si128(v + 2), _mm_loadu_si128(v + 3));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(low, high), zero))) break;
  }
  for (; end - p >= 16; p += 16) {
    const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), zero));
    if (mask) return p + __builtin_ctz(static_cast<unsigned>(mask));
  }
  return FindZeroBytePortable(p, end);
}

const char* FindLastLineBreakSse2(const char* begin, const char* end) {
  const __m128i cr = _mm_set1_epi8(kCR), lf = _mm_set1_epi8(kLF);
  for (; end - begin >= 16; end -= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(end - 16));
    const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
    if (mask) return end - 16 + (31 - __builtin_clz(static_cast<unsigned>(mask)));
  }
  return FindLastLineBreakPortable(begin, end);
}

std::uint64_t CountLineEndsSse2(const char* p, const char* end) {
  const __m128i cr = _mm_set1_epi8(kCR), lf = _mm_set1_epi8(kLF), zero = _mm_setzero_si128();
  std::uint64_t total = 0;
  // A byte counter per lane, added up before it can pass 255.
  while (end - p >= 17) {
    __m128i counts = zero;
    for (int block = 0; block < 255 && end - p >= 17; ++block, p += 16) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
      const __m128i ends =
          _mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_andnot_si128(_mm_cmpeq_epi8(next, lf), _mm_cmpeq_epi8(v, cr)));
      counts = _mm_sub_epi8(counts, ends);
    }
    const __m128i sums = _mm_sad_epu8(counts, zero);
    total += static_cast<std::uint64_t>(_mm_cvtsi128_si32(sums)) +
             static_cast<std::uint64_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
  }
  return total + CountLineEndsBytewise(p, end);
}
#endif

#if defined(FILEDATA_AVX2_SEARCH)
#define FILEDATA_AVX2 __attribute__((target("avx2")))

// The shorter tails go to the SSE2 searches, whose legacy encoding pays for
// dirty upper register halves on some processors: clear them first.
FILEDATA_AVX2 inline void LeaveAvx() { _mm256_zeroupper(); }

FILEDATA_AVX2 const char* FindLineBreakAvx2(const char* p, const char* end) {
  const __m256i zero = _mm256_setzero_si256(), cr = _mm256_set1_epi8(kCR), lf = _mm256_set1_epi8(kLF);
  for (; end - p >= 32; p += 32) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i hits = _mm256_or_si256(_mm256_cmpeq_epi8(v, zero),
                                         _mm256_or_si256(_mm256_cmpeq_epi8(v, cr), _mm256_cmpeq_epi8(v, lf)));
    if (const auto mask = static_cast<unsigned>(_mm256_movemask_epi8(hits))) return p + __builtin_ctz(mask);
  }
  LeaveAvx();
  return FindLineBreakSse2(p, end);
}

FILEDATA_AVX2 const char* FindZeroByteAvx2(const char* p, const char* end) {
  const __m256i zero = _mm256_setzero_si256();
  for (; end - p >= 128; p += 128) {
    const auto* v = reinterpret_cast<const __m256i*>(p);
    const __m256i low = _mm256_min_epu8(_mm256_loadu_si256(v), _mm256_loadu_si256(v + 1));
    const __m256i high = _mm256_min_epu8(_mm256_loadu_si256(v + 2), _mm256_loadu_si256(v + 3));
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_min_epu8(low, high), zero))) break;
  }
  for (; end - p >= 32; p += 32) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    if (const auto mask = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, zero)))) {
      return p + __builtin_ctz(mask);
    }
  }
  LeaveAvx();
  return FindZeroByteSse2(p, end);
}

FILEDATA_AVX2 const char* FindLastLineBreakAvx2(const char* begin, const char* end) {
  const __m256i cr = _mm256_set1_epi8(kCR), lf = _mm256_set1_epi8(kLF);
  for (; end - begin >= 32; end -= 32) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(end - 32));
    const auto mask = static_cast<unsigned>(
        _mm256_movemask_epi8(_mm256_or_si256(_mm256_cmpeq_epi8(v, cr), _mm256_cmpeq_epi8(v, lf))));
    if (mask) return end - 32 + (31 - __builtin_clz(mask));
  }
  LeaveAvx();
  return FindLastLineBreakSse2(begin, end);
}

FILEDATA_AVX2 std::uint64_t CountLineEndsAvx2(const char* p, const char* end) {
  const __m256i cr = _mm256_set1_epi8(kCR), lf = _mm256_set1_epi8(kLF), zero = _mm256_setzero_si256();
  std::uint64_t total = 0;
  while (end - p >= 33) {
    __m256i counts = zero;
    for (int block = 0; block < 255 && end - p >= 33; ++block, p += 32) {
      const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
      const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 1));
      const __m256i ends = _mm256_or_si256(_mm256_cmpeq_epi8(v, lf),
                                           _mm256_andnot_si256(_mm256_cmpeq_epi8(next, lf), _mm256_cmpeq_epi8(v, cr)));
      counts = _mm256_sub_epi8(counts, ends);
    }
    const __m256i sums = _mm256_sad_epu8(counts, zero);
    total += static_cast<std::uint64_t>(_mm256_extract_epi64(sums, 0)) +
             static_cast<std::uint64_t>(_mm256_extract_epi64(sums, 1)) +
             static_cast<std::uint64_t>(_mm256_extract_epi64(sums, 2)) +
             static_cast<std::uint64_t>(_mm256_extract_epi64(sums, 3));
  }
  LeaveAvx();
  return total + CountLineEndsSse2(p, end);
}
#endif

constexpr TByteSearches kPortable = {FindLineBreakPortable, FindZeroBytePortable, FindLastLineBreakPortable,
                                     CountLineEndsBytewise, "portable"};
#if defined(FILEDATA_SSE2_SEARCH)
constexpr TByteSearches kSse2 = {FindLineBreakSse2, FindZeroByteSse2, FindLastLineBreakSse2, CountLineEndsSse2, "sse2"};
#endif
#if defined(FILEDATA_AVX2_SEARCH)
constexpr TByteSearches kAvx2 = {FindLineBreakAvx2, FindZeroByteAvx2, FindLastLineBreakAvx2, CountLineEndsAvx2, "avx2"};
#endif

const TByteSearches* Fastest() noexcept {
#if defined(FILEDATA_AVX2_SEARCH)
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) return &kAvx2;
#endif
#if defined(FILEDATA_SSE2_SEARCH)
  return &kSse2;
#else
  return &kPortable;
#endif
}

// Chosen once, when first needed; the processor does not change.
const TByteSearches& Searches() noexcept {
  static const TByteSearches* const chosen = Fastest();
  return *chosen;
}
}  // namespace

std::vector<const TByteSearches*> AvailableByteSearches() {
  std::vector<const TByteSearches*> available = {&Searches()};
#if defined(FILEDATA_SSE2_SEARCH)
  if (available.front() != &kSse2) available.push_back(&kSse2);
#endif
  if (available.front() != &kPortable) available.push_back(&kPortable);
  return available;
}

const char* FindLineBreak(const char* p, const char* end) noexcept { return Searches().FindLineBreak(p, end); }

const char* FindZeroByte(const char* p, const char* end) noexcept { return Searches().FindZeroByte(p, end); }

const char* FindLastLineBreak(const char* begin, const char* end) noexcept {
  return Searches().FindLastLineBreak(begin, end);
}

std::uint64_t CountLineEnds(const char* p, const char* end) noexcept { return Searches().CountLineEnds(p, end); }

}  // namespace filedata
