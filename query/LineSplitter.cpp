#include "query/LineSplitter.h"

#include "query/ByteSearch.h"

namespace filedata {

namespace {
constexpr char kCR = '\r';
constexpr char kLF = '\n';
}  // namespace

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
