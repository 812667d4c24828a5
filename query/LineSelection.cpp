#include "query/LineSelection.h"

#include "query/Errors.h"
#include "query/LastLine.h"
#include "query/LineSplitter.h"

namespace filedata {

namespace {
// Finds where the line at one 0-based index lies, keeping none of the
// lines on the way, and stops at its end.
class TLineAtIndex final : public TLineSink {
 public:
  explicit TLineAtIndex(std::int64_t index) : index_(index) {}
  bool OnPiece(std::string_view units, std::uint64_t at, bool ends) override {
    if (seen_ < index_) {
      seen_ += ends;
      return true;
    }
    if (!begun_) span_.Begin = at;
    begun_ = true;
    if (!ends) return true;
    span_.End = at + units.size();
    found_ = true;
    ++seen_;
    return false;
  }
  bool found_ = false;
  TUnitSpan span_;
  std::int64_t seen_ = 0;

 private:
  std::int64_t index_;
  bool begun_ = false;
};

[[noreturn]] void NoLine(std::int64_t index, std::uint64_t lines, TLineObserver* observer) {
  if (observer) observer->OnNoLine(index, lines);
  throw EStringListError::ListIndexError(index);
}

// As much of the line at SPAN of TEXT (offsets from the text's start) as
// KEEP says: from the last read when it holds the line, else read again.
// NUMBER names the line (0: the last) should it be too long to hand over.
TChosenLine Take(platform::TFileReader& file, const std::string& fileName, const TFileText& text, TUnitSpan span,
                 const TLineKeep& keep, std::int64_t number) {
  const std::uint64_t begin = text.Mark().Size + span.Begin, end = text.Mark().Size + span.End;
  if (const auto held = text.Held(begin, end)) {
    TLineInMemory units(*held);
    return TakeLine(units, text.Encoding(), keep, number);
  }
  TLineInFile units(file, fileName, text.Mark(), begin, end);
  return TakeLine(units, text.Encoding(), keep, number);
}
}  // namespace

TChosenLine SelectLine(platform::TFileReader& file, const std::string& fileName, std::int32_t line,
                       const TLineKeep& keep, TReadFacts& facts, TLineObserver* observer) {
  TFileText text(file, fileName, observer);
  // Whatever the read reaches, also on the way to a failure.
  const auto learnt = [&](std::optional<std::uint64_t> lines) {
    if (const TTextEnd* end = text.End()) facts.End = *end;
    facts.LineCount = lines;
  };
  if (line >= 1) {
    const std::int64_t index = static_cast<std::int64_t>(line) - 1;
    TLineAtIndex wanted(index);
    TLineSplitter splitter(text.Units(), wanted);
    if (text.Feed(splitter)) splitter.Finish();
    if (!wanted.found_) {
      learnt(static_cast<std::uint64_t>(wanted.seen_));
      NoLine(index, static_cast<std::uint64_t>(wanted.seen_), observer);
    }
    // Found at the very end, it is the last line: the count is known too.
    if (text.End()) learnt(static_cast<std::uint64_t>(wanted.seen_));
    TChosenLine chosen = Take(file, fileName, text, wanted.span_, keep, line);
    if (observer) observer->OnLine(index, chosen, static_cast<std::uint64_t>(wanted.seen_));
    return chosen;
  }
  if (line == 0) {
    TLastLineScanner last(text.Units());
    text.Feed(last);
    learnt(std::nullopt);
    if (!last.HasLines()) NoLine(-1, 0, observer);
    TChosenLine chosen = Take(file, fileName, text, last.LastLine(), keep, 0);
    if (observer) observer->OnLine(-1, chosen, 0);
    return chosen;
  }
  // A negative LINE lies past the last line: only the count is needed, for the message.
  TLineCounter counter(text.Units());
  text.Feed(counter);
  learnt(counter.LineCount());
  NoLine(static_cast<std::int64_t>(counter.LineCount()) - line - 1, counter.LineCount(), observer);
}

}  // namespace filedata
