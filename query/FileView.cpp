#include "query/FileView.h"

#include <algorithm>
#include <deque>
#include <utility>

#include "platform/Platform.h"
#include "query/Errors.h"
#include "query/LineSplitter.h"

namespace filedata {

namespace {
// Learns the mark and the end of the text as it is read.
class TEndSeen final : public TTextObserver {
 public:
  void OnEncoding(const TTextMark& mark) override { mark_ = mark; }
  void OnTextEnd(const TTextEnd& end) override { end_ = end; }
  TTextMark mark_;
  TTextEnd end_;
};

// Hands at most BUDGET bytes of units on, then stops the read: a line of
// the head of a large file is never held whole, however long it is.
class TBudgetedUnits final : public TUnitSink {
 public:
  TBudgetedUnits(TUnitSink& inner, std::uint64_t budget, std::size_t unitSize)
      : inner_(inner), left_(budget - budget % unitSize) {}
  bool OnUnits(std::string_view units) override {
    const bool within = units.size() < left_;
    if (!within) units = units.substr(0, static_cast<std::size_t>(left_));
    left_ -= units.size();
    passed_ += units.size();
    return inner_.OnUnits(units) && within;
  }
  std::uint64_t passed_ = 0;

 private:
  TUnitSink& inner_;
  std::uint64_t left_;
};

// Keeps the first lines and, in turn, the last ones, each as host text.
class TLineKeeper final : public TLineSink {
 public:
  TLineKeeper(const TFileText& text, const TViewLimits& limits, std::size_t headLines, bool skipFirst)
      : text_(text), limits_(limits), headLines_(headLines), skipFirst_(skipFirst) {}

  bool OnLine(std::string_view units) override {
    if (std::exchange(skipFirst_, false)) return true;  // its start lies before the read
    ++seen_;
    if (head_.size() < headLines_) {
      head_.push_back(Kept(units));
      return !stopAfterHead_ || head_.size() < headLines_;
    }
    if (limits_.TailLines == 0) return false;
    tail_.push_back(Kept(units));
    if (tail_.size() > limits_.TailLines) tail_.pop_front();
    return true;
  }

  bool stopAfterHead_ = false;
  std::uint64_t seen_ = 0;
  std::vector<TViewLine> head_;
  std::deque<TViewLine> tail_;

 private:
  TViewLine Kept(std::string_view units) const {
    TViewLine line;
    const std::size_t unit = text_.Units().UnitSize;
    const std::size_t most = limits_.LineBytes * unit;
    line.Text = text_.HostText(std::string(units.substr(0, std::min(units.size(), most))));
    line.CutShort = units.size() > most || line.Text.size() > limits_.LineBytes;
    if (line.Text.size() > limits_.LineBytes) line.Text.resize(limits_.LineBytes);
    return line;
  }

  const TFileText& text_;
  const TViewLimits& limits_;
  std::size_t headLines_;
  bool skipFirst_;
};

struct TSplit {
  bool Ended = false;       // the text ended before the keeper or the budget stopped the read
  std::uint64_t Bytes = 0;  // of the text, handed to the splitter
};

// Splits TEXT into KEEPER, at most BUDGET bytes of it.
TSplit SplitInto(TFileText& text, TLineKeeper& keeper, std::uint64_t budget) {
  TLineSplitter splitter(text.Units(), keeper);
  TBudgetedUnits budgeted(splitter, budget, text.Units().UnitSize);
  const bool ended = text.Feed(budgeted);
  if (ended) splitter.Finish();
  return {ended, budgeted.passed_};
}

constexpr std::uint64_t kNoBudget = ~std::uint64_t{0};

// Numbers every line of a text read through, from the start and from the end.
void NumberReadThrough(TFileView& view, std::deque<TViewLine> tail, std::uint64_t count) {
  view.ReadThrough = true;
  view.LineCount = count;
  for (std::size_t i = 0; i < view.Head.size(); ++i) view.Head[i].Number = i + 1;
  std::uint64_t number = count - tail.size();
  for (TViewLine& line : tail) line.Number = ++number;
  view.Tail.assign(std::make_move_iterator(tail.begin()), std::make_move_iterator(tail.end()));
  for (std::vector<TViewLine>* lines : {&view.Head, &view.Tail}) {
    for (TViewLine& line : *lines) line.FromEnd = static_cast<std::int64_t>(count - line.Number);
  }
}

// The last lines of a large file: its end read from a unit boundary a
// little before the tail, the first line, begun before the read, dropped.
void ReadTail(platform::TFileReader& file, const std::string& name, const TViewLimits& limits, TFileView& view) {
  const std::size_t unit = view.Mark.Encoding == TTextEncoding::EightBit ? 1 : 2;
  std::uint64_t from = std::max<std::uint64_t>(view.SkippedFrom, view.FileSize - limits.TailBytes);
  from = view.Mark.Size + (from - view.Mark.Size) / unit * unit;
  view.SkippedTo = from;
  // One unit early: a line that begins at FROM still follows a break.
  TEndSeen seen;
  TFileText text(file, name, view.Mark, from - unit, &seen);
  TLineKeeper keeper(text, limits, 0, true);
  SplitInto(text, keeper, kNoBudget);
  std::int64_t fromEnd = static_cast<std::int64_t>(keeper.tail_.size());
  for (TViewLine& line : keeper.tail_) {
    line.FromEnd = --fromEnd;
    view.Tail.push_back(std::move(line));
  }
  view.End = seen.end_;
}
}  // namespace

TFileView ReadFileView(platform::TFileReader& file, const std::string& name, const TViewLimits& limits) {
  TFileView view;
  view.FileSize = file.SizeAtOpen();
  // The query may have read the file already: the view starts anew.
  if (!file.SeekTo(0)) {
    throw EReadError::CannotRead(platform::FullPathOf(name), platform::SystemErrorText(file.ErrorCode()));
  }
  const bool small = view.FileSize <= limits.ReadThroughBytes;
  TEndSeen seen;
  TFileText text(file, name, &seen);
  view.Mark = seen.mark_;
  TLineKeeper keeper(text, limits, limits.HeadLines, false);
  keeper.stopAfterHead_ = !small;
  const TSplit head = SplitInto(text, keeper, small ? kNoBudget : limits.TailBytes);
  view.Head = std::move(keeper.head_);
  view.End = seen.end_;
  if (head.Ended) {
    NumberReadThrough(view, std::move(keeper.tail_), keeper.seen_);
    return view;
  }
  for (std::size_t i = 0; i < view.Head.size(); ++i) view.Head[i].Number = i + 1;
  view.SkippedFrom = view.Mark.Size + head.Bytes;
  ReadTail(file, name, limits, view);
  return view;
}

}  // namespace filedata
