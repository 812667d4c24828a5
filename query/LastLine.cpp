#include "query/LastLine.h"

#include <utility>

#include "query/ByteSearch.h"

namespace filedata {

namespace {
constexpr char kCR = '\r';
constexpr char kLF = '\n';

// The bytes before the first zero byte, and whether there was one.
std::string_view UpToZero(std::string_view bytes, bool& ended) {
  const char* zero = FindZeroByte(bytes.data(), bytes.data() + bytes.size());
  ended = zero != bytes.data() + bytes.size();
  return bytes.substr(0, static_cast<std::size_t>(zero - bytes.data()));
}
}  // namespace

bool TLastLineScanner::OnBytes(std::string_view bytes) {
  bool ended = false;
  std::string_view text = UpToZero(bytes, ended);
  if (text.empty()) return !ended;  // nothing between: a CR before still waits for its LF
  // The LF of a CR LF split across chunks is part of the break before it.
  if (std::exchange(afterCR_, false) && text.front() == kLF) text.remove_prefix(1);
  if (text.empty()) return !ended;
  afterCR_ = text.back() == kCR;
  const char* begin = text.data();
  const char* end = begin + text.size();
  const char* lastBreak = FindLastLineBreak(begin, end);
  if (!lastBreak) {
    tail_.append(begin, end);
    return !ended;
  }
  // The break that ended the line before the tail: one byte, or CR LF.
  const char* lineEnd = (*lastBreak == kLF && lastBreak > begin && lastBreak[-1] == kCR) ? lastBreak - 1 : lastBreak;
  const char* breakBefore = FindLastLineBreak(begin, lineEnd);
  if (breakBefore) {
    previous_.assign(breakBefore + 1, lineEnd);
  } else {
    previous_ = std::move(tail_);  // the line began in an earlier chunk
    previous_.append(begin, lineEnd);
  }
  tail_.assign(lastBreak + 1, end);
  sawBreak_ = true;
  return !ended;
}

bool TLineCounter::OnBytes(std::string_view bytes) {
  bool ended = false;
  const std::string_view text = UpToZero(bytes, ended);
  if (text.empty()) return !ended;
  ends_ += CountLineEnds(text.data(), text.data() + text.size());
  if (afterCR_ && text.front() == kLF) --ends_;  // CR LF across chunks: the CR was counted
  afterCR_ = text.back() == kCR;
  inLine_ = text.back() != kCR && text.back() != kLF;
  return !ended;
}

}  // namespace filedata
