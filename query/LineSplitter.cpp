#include "query/LineSplitter.h"

#include <cstdint>
#include <cstring>

// FILEDATA_PORTABLE_LINE_SEARCH leaves the SSE2 search out, so that the
// portable search can be built and tested on machines that have SSE2.
#if defined(__SSE2__) && !defined(FILEDATA_PORTABLE_LINE_SEARCH)
#define FILEDATA_SSE2_LINE_SEARCH
#include <emmintrin.h>
#endif

namespace filedata {

namespace {
constexpr char kCR = '\r';
constexpr char kLF = '\n';
constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

constexpr std::uint64_t HasZeroByte(std::uint64_t v) { return (v - kOnes) & ~v & kHighBits; }
}  // namespace

const char* FindLineBreak(const char* p, const char* end) noexcept {
#if defined(FILEDATA_SSE2_LINE_SEARCH)
  // Sixteen bytes at a time; the lowest set bit of the mask is the first hit.
  const __m128i zero = _mm_setzero_si128();
  const __m128i cr = _mm_set1_epi8(kCR);
  const __m128i lf = _mm_set1_epi8(kLF);
  while (end - p >= 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(block, zero),
                                      _mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf)));
    const int mask = _mm_movemask_epi8(hits);
    if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
    p += 16;
  }
#endif
  // Eight bytes at a time; borrows only spill upwards, so the lowest flagged
  // byte is exact.
  while (end - p >= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    const std::uint64_t hits = HasZeroByte(word) | HasZeroByte(word ^ (kOnes * kCR)) | HasZeroByte(word ^ (kOnes * kLF));
    if (hits != 0) return p + __builtin_ctzll(hits) / 8;
    p += 8;
  }
  while (p < end && *p != '\0' && *p != kCR && *p != kLF) ++p;
  return p;
}

bool TLineSplitter::Deliver(std::string_view line) {
  const bool more = sink_.OnLine(line);
  pending_.clear();
  if (!more) ended_ = true;
  return more;
}

bool TLineSplitter::Feed(std::string_view bytes) {
  if (ended_) return false;
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  if (skipLineFeed_ && p < end) {
    skipLineFeed_ = false;
    if (*p == kLF) ++p;
  }
  while (p < end) {
    const char* const stop = FindLineBreak(p, end);
    if (stop == end) {
      pending_.append(p, stop);
      break;
    }
    std::string_view line(p, static_cast<std::size_t>(stop - p));
    if (!pending_.empty()) line = pending_.append(line);
    if (*stop == '\0') {
      if (!line.empty()) Deliver(line);
      ended_ = true;
      return false;
    }
    if (!Deliver(line)) return false;
    p = stop + 1;
    if (*stop == kCR) {
      if (p == end) skipLineFeed_ = true;
      else if (*p == kLF) ++p;
    }
  }
  return true;
}

void TLineSplitter::Finish() {
  if (!ended_ && !pending_.empty()) Deliver(pending_);
  ended_ = true;
}

void SplitLines(std::string_view text, TLineSink& sink) {
  TLineSplitter splitter(sink);
  splitter.Feed(text);
  splitter.Finish();
}

}  // namespace filedata
