#include "query/ChosenLine.h"

#include <algorithm>
#include <new>

#include "query/Errors.h"
#include "query/TextFile.h"
#include "query/UnitSinks.h"

namespace filedata {

void TLineInMemory::Read(std::uint64_t from, TUnitSink& sink) {
  if (from < units_.size()) sink.OnUnits(units_.substr(static_cast<std::size_t>(from)));
}

void TLineInFile::Read(std::uint64_t from, TUnitSink& sink) {
  if (from >= Size()) return;
  TFileText text(file_, name_, mark_, begin_ + from);
  TBudgetedUnits budgeted(sink, Size() - from, UnitSize(mark_.Encoding));
  text.Feed(budgeted);
}

namespace {
// Hands the units it is fed to a decoder, and so their host text to its sink.
class TDecoding final : public TUnitSink {
 public:
  TDecoding(TTextEncoding encoding, TUnitDecoder::TSink& sink) noexcept : decoder_(encoding, sink) {}
  bool OnUnits(std::string_view units) override { return decoder_.Decode(units); }
  void Finish() { decoder_.Finish(); }

 private:
  TUnitDecoder decoder_;
};

// Counts the host text's bytes, keeping the first HEADBYTES of them in HEAD.
class TCounted final : public TUnitDecoder::TSink {
 public:
  TCounted(std::string& head, std::size_t headBytes) : head_(head), headBytes_(headBytes) {}
  bool OnHostText(std::string_view bytes) override {
    if (head_.size() < headBytes_) head_.append(bytes.substr(0, headBytes_ - head_.size()));
    size_ += bytes.size();
    return true;
  }
  std::uint64_t size_ = 0;

 private:
  std::string& head_;
  std::size_t headBytes_;
};

// Keeps the host text's bytes [FROM, FROM + COUNT) in OUT, made that size
// at once, then wants no more.
class TWindow final : public TUnitDecoder::TSink {
 public:
  TWindow(std::string& out, std::uint64_t from, std::uint64_t count) : out_(out), from_(from), count_(count) {
    // More than a text can hold here is memory that cannot be had.
    if (count > out_.max_size()) throw std::bad_alloc();
    out_.reserve(static_cast<std::size_t>(count));
  }
  bool OnHostText(std::string_view bytes) override {
    const std::uint64_t at = at_;
    at_ += bytes.size();
    if (at_ > from_) {
      const std::uint64_t skip = from_ > at ? from_ - at : 0;
      const std::uint64_t want = count_ - out_.size();
      out_.append(bytes.substr(static_cast<std::size_t>(skip), static_cast<std::size_t>(want)));
    }
    return out_.size() < count_;
  }

 private:
  std::string& out_;
  std::uint64_t from_, count_;
  std::uint64_t at_ = 0;
};

// The host text of UNITS from byte FROM of them on, to SINK.
void Decode(TLineUnits& units, TTextEncoding encoding, std::uint64_t from, TUnitDecoder::TSink& sink) {
  TDecoding decoding(encoding, sink);
  units.Read(from, decoding);
  decoding.Finish();
}

TChosenLine Taken(TLineUnits& units, TTextEncoding encoding, const TLineKeep& keep, std::uint64_t& size) {
  TChosenLine line;
  TCutRange range;
  if (encoding == TTextEncoding::EightBit) {
    // A unit a byte: the cut is read straight from its first byte.
    size = line.Size = units.Size();
    range = LineCutRange(line.Size, keep.Start, keep.Length, &line.Report);
    if (range.Count > 0) {
      TWindow cut(line.Cut, 0, range.Count);
      Decode(units, encoding, range.From, cut);
    }
    if (keep.HeadBytes > 0 && line.Size > 0) {
      TWindow head(line.Head, 0, std::min<std::uint64_t>(keep.HeadBytes, line.Size));
      Decode(units, encoding, 0, head);
    }
  } else {
    // Where the cut lies in the host text is known only once the line is
    // decoded: counted first, then taken.
    TCounted counted(line.Head, keep.HeadBytes);
    Decode(units, encoding, 0, counted);
    size = line.Size = counted.size_;
    range = LineCutRange(line.Size, keep.Start, keep.Length, &line.Report);
    if (range.Count > 0) {
      TWindow cut(line.Cut, range.From, range.Count);
      Decode(units, encoding, 0, cut);
    }
  }
  line.CutAt = range.From;
  return line;
}
}  // namespace

TChosenLine TakeLine(TLineUnits& units, TTextEncoding encoding, const TLineKeep& keep, std::int64_t number) {
  std::uint64_t size = units.Size();
  try {
    return Taken(units, encoding, keep, size);
  } catch (const std::bad_alloc&) {
    throw ELineTooLong::TooLong(number, size);
  }
}

}  // namespace filedata
