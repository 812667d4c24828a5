#include "query/LineSplitter.h"

#include <cstdint>
#include <cstring>

namespace filedata {

namespace {
constexpr char kCR = '\r';
constexpr char kLF = '\n';
constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

constexpr std::uint64_t HasZeroByte(std::uint64_t v) { return (v - kOnes) & ~v & kHighBits; }
}  // namespace

const char* FindLineBreak(const char* p, const char* end) noexcept {
  // Eight bytes at a time until a word holds a zero, CR or LF byte.
  while (end - p >= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    if (HasZeroByte(word) | HasZeroByte(word ^ (kOnes * kCR)) | HasZeroByte(word ^ (kOnes * kLF))) break;
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
