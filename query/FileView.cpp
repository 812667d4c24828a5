#include "query/FileView.h"

#include <algorithm>
#include <deque>
#include <utility>

#include "platform/Platform.h"
#include "query/Errors.h"
#include "query/LineSplitter.h"
#include "query/UnitSinks.h"

namespace filedata {

namespace {
// Keeps the first lines and, in turn, the last ones, each as host text, at
// most limits.LineBytes of each however long the line is.
class TLineKeeper final : public TLineSink {
 public:
  TLineKeeper(const TFileText& text, const TViewLimits& limits, std::size_t headLines, bool skipFirst)
      : text_(text), limits_(limits), headLines_(headLines), skipFirst_(skipFirst) {}

  bool OnPiece(std::string_view units, std::uint64_t, bool ends) override {
    if (skipFirst_) {  // its start lies before the read
      skipFirst_ = !ends;
      return true;
    }
    const std::size_t most = limits_.LineBytes * text_.Units().UnitSize;
    if (units_.size() < most) units_.append(units.substr(0, most - units_.size()));
    size_ += units.size();
    if (!ends) return true;
    TViewLine line = Kept();
    units_.clear();
    size_ = 0;
    ++seen_;
    if (head_.size() < headLines_) {
      head_.push_back(std::move(line));
      return !stopAfterHead_ || head_.size() < headLines_;
    }
    if (limits_.TailLines == 0) return false;
    tail_.push_back(std::move(line));
    if (tail_.size() > limits_.TailLines) tail_.pop_front();
    return true;
  }

  bool stopAfterHead_ = false;
  std::uint64_t seen_ = 0;
  std::vector<TViewLine> head_;
  std::deque<TViewLine> tail_;

 private:
  // The line in progress: its first LineBytes units (all of them when it is
  // no longer) in UNITS_, SIZE_ units in all.
  TViewLine Kept() const {
    TViewLine line;
    line.Text = text_.HostText(units_);
    line.CutShort = size_ > units_.size() || line.Text.size() > limits_.LineBytes;
    if (line.Text.size() > limits_.LineBytes) line.Text.resize(limits_.LineBytes);
    return line;
  }

  const TFileText& text_;
  const TViewLimits& limits_;
  std::size_t headLines_;
  bool skipFirst_;
  std::string units_;      // the first units of the line in progress
  std::uint64_t size_ = 0; // all its units so far
};

// Where the last line break of what it is fed lies, 0-based in the file.
class TLastBreak final : public TUnitSink {
 public:
  TLastBreak(const TUnitSearches& units, std::uint64_t from) : units_(units), at_(from) {}
  bool OnUnits(std::string_view units) override {
    const char* const begin = units.data();
    if (const char* found = units_.FindLastLineBreak(begin, begin + units.size())) found_ = at_ + (found - begin);
    at_ += units.size();
    return true;
  }
  std::optional<std::uint64_t> found_;

 private:
  const TUnitSearches& units_;
  std::uint64_t at_;
};

struct TSplit {
  bool Ended = false;       // the text ended before the keeper or the budget stopped the read
  std::uint64_t Bytes = 0;  // of the text, handed to the splitter
};

constexpr std::uint64_t kNoBudget = ~std::uint64_t{0};

// Splits TEXT into KEEPER, at most BUDGET bytes of it; the line the budget
// cuts off is handed on as it stands only when FINISHCUT says so.
TSplit SplitInto(TFileText& text, TLineKeeper& keeper, std::uint64_t budget, bool finishCut = false) {
  TLineSplitter splitter(text.Units(), keeper);
  TBudgetedUnits budgeted(splitter, budget, text.Units().UnitSize);
  const bool ended = text.Feed(budgeted);
  if (ended || finishCut) splitter.Finish();
  return {ended, budgeted.Passed()};
}

void Rewind(platform::TFileReader& file, const std::string& name) {
  if (!file.SeekTo(0)) {
    throw EReadError::CannotRead(platform::FullPathOf(name), platform::SystemErrorText(file.ErrorCode()));
  }
}

// Every line's number and place from the end, the line count known.
void Place(TFileView& view, std::uint64_t count) {
  view.LineCount = count;
  for (std::size_t i = 0; i < view.Head.size(); ++i) view.Head[i].Number = i + 1;
  for (std::size_t i = 0; i < view.Tail.size(); ++i) view.Tail[i].Number = count - (view.Tail.size() - 1 - i);
  for (std::vector<TViewLine>* lines : {&view.Head, &view.Tail}) {
    for (TViewLine& line : *lines) line.FromEnd = static_cast<std::int64_t>(count - line.Number);
  }
}

// A short text, read through: its first lines and its last.
void ReadThrough(platform::TFileReader& file, const std::string& name, const TViewLimits& limits, TFileView& view) {
  Rewind(file, name);
  TTextObserver told;  // so that the end learns what an explanation is told of it
  TFileText text(file, name, &told);
  TLineKeeper keeper(text, limits, limits.HeadLines, false);
  SplitInto(text, keeper, kNoBudget);
  view.Mark = text.Mark();
  view.End = *text.End();
  view.ReadThrough = true;
  view.Head = std::move(keeper.head_);
  view.Tail.assign(std::make_move_iterator(keeper.tail_.begin()), std::make_move_iterator(keeper.tail_.end()));
  Place(view, keeper.seen_);
}

// The end of a long text, in one pass at the speed of a bare read: the
// search for the zero unit that LINE=0 makes. Counting the lines on the way
// would cost a fifth more under Wine.
void FindEnd(platform::TFileReader& file, const std::string& name, TFileView& view) {
  Rewind(file, name);
  TFileText text(file, name);
  TUnitsPassed passed;
  text.Feed(passed);
  view.End = *text.End();
}

// The first lines of a long text, from at most limits.HeadBytes of it.
void ReadHead(platform::TFileReader& file, const std::string& name, const TViewLimits& limits, TFileView& view) {
  Rewind(file, name);
  TFileText text(file, name);
  view.Mark = text.Mark();
  TLineKeeper keeper(text, limits, limits.HeadLines, false);
  keeper.stopAfterHead_ = true;
  const TSplit head = SplitInto(text, keeper, limits.HeadBytes);
  view.Head = std::move(keeper.head_);
  for (std::size_t i = 0; i < view.Head.size(); ++i) view.Head[i].Number = i + 1;
  view.SkippedFrom = view.Mark.Size + head.Bytes;
}

// Where the line that byte BEFORE of the text lies in begins: just past the
// last line break before it, searched back in reads that double, else the
// text's start.
std::uint64_t LineStartBefore(platform::TFileReader& file, const std::string& name, const TTextMark& mark,
                              std::uint64_t before) {
  const std::size_t unit = UnitSize(mark.Encoding);
  std::uint64_t window = kReadBytes;
  for (std::uint64_t to = before; to > mark.Size; window *= 2) {
    const std::uint64_t from = to - std::min(to - mark.Size, window);
    TFileText text(file, name, mark, from);
    TLastBreak last(text.Units(), from);
    TBudgetedUnits budgeted(last, to - from, unit);
    text.Feed(budgeted);
    if (last.found_) return *last.found_ + unit;
    to = from;
  }
  return mark.Size;
}

// The last line of a long text, read from its start AT.
TViewLine LineAt(platform::TFileReader& file, const std::string& name, const TViewLimits& limits,
                 const TTextMark& mark, std::uint64_t at) {
  TFileText text(file, name, mark, at);
  TLineKeeper keeper(text, limits, 1, false);
  keeper.stopAfterHead_ = true;
  // A unit more than is listed tells whether it goes on.
  SplitInto(text, keeper, (limits.LineBytes + 1) * UnitSize(mark.Encoding), true);
  return keeper.head_.empty() ? TViewLine() : std::move(keeper.head_.front());
}

// The last lines of a long text: its end read from a unit boundary a
// little before them, the first line, begun before the read, dropped. A
// last line longer than that read is read from its start.
void ReadTail(platform::TFileReader& file, const std::string& name, const TViewLimits& limits, TFileView& view) {
  const std::size_t unit = UnitSize(view.Mark.Encoding);
  const std::uint64_t end = view.End.EndsAt;
  std::uint64_t from = std::max<std::uint64_t>(view.SkippedFrom, end > limits.TailBytes ? end - limits.TailBytes : 0);
  from = view.Mark.Size + (from - view.Mark.Size) / unit * unit;
  // One unit early: a line that begins at FROM still follows a break.
  const bool atStart = from == view.Mark.Size;
  TFileText text(file, name, view.Mark, atStart ? from : from - unit);
  TLineKeeper keeper(text, limits, 0, !atStart);
  SplitInto(text, keeper, kNoBudget);
  if (keeper.tail_.empty()) {
    from = LineStartBefore(file, name, view.Mark, from);
    keeper.tail_.push_back(LineAt(file, name, limits, view.Mark, from));
  }
  // A last line begun where the head was read, yet not among its lines.
  view.SkippedFrom = std::min(view.SkippedFrom, from);
  view.SkippedTo = from;
  std::int64_t fromEnd = static_cast<std::int64_t>(keeper.tail_.size());
  for (TViewLine& line : keeper.tail_) {
    line.FromEnd = --fromEnd;
    view.Tail.push_back(std::move(line));
  }
}
}  // namespace

TFileView ReadFileView(platform::TFileReader& file, const std::string& name, const TReadFacts& facts,
                       const TViewLimits& limits) {
  TFileView view;
  view.FileSize = file.SizeAtOpen();
  bool endKnown = facts.End.has_value();
  if (endKnown) {
    view.End = *facts.End;
    view.LineCount = facts.LineCount;
  } else if (view.FileSize > limits.ReadThroughBytes) {
    FindEnd(file, name, view);
    endKnown = true;
  }
  if (endKnown ? view.End.EndsAt <= limits.ReadThroughBytes : view.FileSize <= limits.ReadThroughBytes) {
    ReadThrough(file, name, limits, view);
    return view;
  }
  ReadHead(file, name, limits, view);
  ReadTail(file, name, limits, view);
  if (view.LineCount) Place(view, *view.LineCount);
  return view;
}

}  // namespace filedata
