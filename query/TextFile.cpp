#include "query/TextFile.h"

#include <algorithm>
#include <new>

#include "platform/Platform.h"
#include "query/Errors.h"

namespace filedata {

namespace {
// The searches load whole vectors: a buffer on a page boundary keeps the
// loads from straddling cache lines.
constexpr std::align_val_t kBufferAlignment{4096};
// Enough of the first bytes to tell UTF-16 written without a mark.
constexpr std::size_t kUnmarkedSample = 64;

// The UTF-16 that BYTES, a file's first bytes, look like when every other
// byte is zero and the rest are not all zero; EightBit when they do not.
TTextEncoding LooksLikeUtf16(std::string_view bytes) {
  bytes = bytes.substr(0, std::min(bytes.size(), kUnmarkedSample) & ~std::size_t{1});
  if (bytes.size() < 4) return TTextEncoding::EightBit;
  bool allZero[2] = {true, true}, anyNonZero[2] = {false, false};  // of the even and the odd bytes
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const bool zero = bytes[i] == '\0';
    allZero[i % 2] = allZero[i % 2] && zero;
    anyNonZero[i % 2] = anyNonZero[i % 2] || !zero;
  }
  // LE: 34 00 32 00; BE: 00 34 00 32.
  if (allZero[1] && anyNonZero[0]) return TTextEncoding::Utf16LE;
  if (allZero[0] && anyNonZero[1]) return TTextEncoding::Utf16BE;
  return TTextEncoding::EightBit;
}
}  // namespace

void OpenTextFile(const std::string& name, platform::TReadOnlyFile& file, TTextObserver* observer) {
  if (file.Open(name)) return;
  const std::string fullPath = platform::FullPathOf(name);
  if (observer) observer->OnOpenFailure({fullPath, file.ErrorCode(), platform::FileFailureOf(file.ErrorCode())});
  throw EFOpenError::CannotOpen(fullPath, platform::SystemErrorText(file.ErrorCode()));
}

TFileText::TFileText(platform::TFileReader& file, const std::string& name, TTextObserver* observer)
    : file_(file), name_(name), observer_(observer), remaining_(file.SizeAtOpen()) {
  AllocateBuffer();
  // A read may deliver less than asked: go on until the mark is known.
  while (filled_ < kLongestMark) {
    const std::size_t got = ReadInto(filled_, kFirstReadBytes);
    if (got == 0) break;
    filled_ += got;
  }
  const std::string_view first(buffer_.get(), filled_);
  held_ = filled_;
  mark_ = ReadMark(first);
  units_ = &UnitSearches(mark_.Encoding);
  position_ = textAt_ = mark_.Size;
  end_.UnitSize = units_->UnitSize;
  if (observer_) observer_->OnEncoding(mark_);
}

TFileText::TFileText(platform::TFileReader& file, const std::string& name, const TTextMark& mark, std::uint64_t from,
                     TTextObserver* observer)
    : file_(file),
      name_(name),
      observer_(observer),
      remaining_(file.SizeAtOpen() > from ? file.SizeAtOpen() - from : 0),
      position_(from),
      mark_(mark),
      units_(&UnitSearches(mark.Encoding)) {
  AllocateBuffer();
  end_.UnitSize = units_->UnitSize;
  if (!file_.SeekTo(from)) ReadFailed();
}

void TFileText::ReadFailed() const {
  throw EReadError::CannotRead(platform::FullPathOf(name_), platform::SystemErrorText(file_.ErrorCode()));
}

void TFileText::AllocateBuffer() {
  bufferSize_ = static_cast<std::size_t>(std::clamp<std::uint64_t>(remaining_, 1, kReadBytes));
  buffer_.reset(static_cast<char*>(::operator new[](bufferSize_, kBufferAlignment)));
}

void TFileText::TAlignedDelete::operator()(char* buffer) const noexcept {
  ::operator delete[](buffer, kBufferAlignment);
}

std::size_t TFileText::ReadInto(std::size_t at, std::size_t most) {
  const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(remaining_, std::min(bufferSize_ - at, most)));
  if (want == 0) return 0;
  std::size_t got = 0;
  if (!file_.Read(buffer_.get() + at, want, got)) ReadFailed();
  remaining_ -= got;  // nothing at all: the file shrank, keep what came
  if (got == 0) remaining_ = 0;
  return got;
}

bool TFileText::Feed(TUnitSink& sink) {
  TFlow flow = Forward(std::string_view(buffer_.get(), filled_).substr(textAt_), sink);
  while (flow == TFlow::More) {
    const std::size_t got = ReadInto(0);
    if (got == 0) break;
    heldAt_ = position_;
    held_ = got;
    flow = Forward(std::string_view(buffer_.get(), got), sink);
  }
  if (flow == TFlow::SinkStopped) return false;
  end_.OddByteIgnored = flow == TFlow::More && hasOddByte_;
  end_.EndsAt = end_.EndedByZero ? end_.ZeroAt : position_ - (end_.OddByteIgnored ? 1 : 0);
  ended_ = true;
  if (observer_) observer_->OnTextEnd(end_);
  return true;
}

TFileText::TFlow TFileText::Forward(std::string_view bytes, TUnitSink& sink) {
  std::uint64_t at = position_;
  position_ += bytes.size();
  if (units_->UnitSize == 1) return ForwardUnits(bytes, at, sink);
  if (hasOddByte_ && !bytes.empty()) {
    // A unit split across two reads: put it together.
    const char unit[2] = {oddByte_, bytes.front()};
    hasOddByte_ = false;
    const TFlow flow = ForwardUnits(std::string_view(unit, 2), at - 1, sink);
    if (flow != TFlow::More) return flow;
    bytes.remove_prefix(1);
    ++at;
  }
  if (bytes.size() % 2 != 0) {
    oddByte_ = bytes.back();
    hasOddByte_ = true;
    bytes.remove_suffix(1);
  }
  return ForwardUnits(bytes, at, sink);
}

TFileText::TFlow TFileText::ForwardUnits(std::string_view units, std::uint64_t at, TUnitSink& sink) {
  std::size_t textBytes = 0;
  if (sink.FindsZero()) {
    textBytes = sink.OnUnitsUpToZero(units);
  } else {
    textBytes = static_cast<std::size_t>(units_->FindZero(units.data(), units.data() + units.size()) - units.data());
    if (textBytes != 0 && !sink.OnUnits(units.substr(0, textBytes))) return TFlow::SinkStopped;
  }
  if (textBytes == units.size()) return TFlow::More;
  end_.EndedByZero = true;
  end_.ZeroAt = at + textBytes;
  // UTF-16 without a mark ends at once, while its first read is still in the buffer.
  if (observer_ && mark_.Encoding == TTextEncoding::EightBit && end_.ZeroAt <= 1) {
    end_.UnmarkedUtf16 = LooksLikeUtf16(std::string_view(buffer_.get(), filled_));
  }
  const std::uint64_t through = end_.ZeroAt + units_->UnitSize;
  end_.BytesAfter = file_.SizeAtOpen() > through ? file_.SizeAtOpen() - through : 0;
  return TFlow::TextEnded;
}

std::optional<std::string_view> TFileText::Held(std::uint64_t from, std::uint64_t to) const noexcept {
  if (from < heldAt_ || to < from || to > heldAt_ + held_) return std::nullopt;
  return std::string_view(buffer_.get() + (from - heldAt_), static_cast<std::size_t>(to - from));
}

std::string TFileText::HostText(std::string units) const {
  if (Encoding() == TTextEncoding::EightBit) return units;
  return UnitsToHostText(units, Encoding());
}

}  // namespace filedata
