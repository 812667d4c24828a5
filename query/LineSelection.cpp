#include "query/LineSelection.h"

#include "query/Errors.h"
#include "query/LastLine.h"
#include "query/LineSplitter.h"

namespace filedata {

namespace {
// Keeps the line at one 0-based index and stops there.
class TLineAtIndex final : public TLineSink {
 public:
  explicit TLineAtIndex(std::int64_t index) : index_(index) {}
  bool OnLine(std::string_view line) override {
    if (seen_++ < index_) return true;
    line_.assign(line);
    found_ = true;
    return false;
  }
  bool found_ = false;
  std::string line_;
  std::int64_t seen_ = 0;

 private:
  std::int64_t index_;
};

[[noreturn]] void NoLine(std::int64_t index, std::uint64_t lines, TLineObserver* observer) {
  if (observer) observer->OnNoLine(index, lines);
  throw EStringListError::ListIndexError(index);
}
}  // namespace

std::string SelectLine(platform::TFileReader& file, const std::string& fileName, std::int32_t line, TReadFacts& facts,
                       TLineObserver* observer) {
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
    std::string chosen = text.HostText(std::move(wanted.line_));
    if (observer) observer->OnLine(index, chosen, static_cast<std::uint64_t>(wanted.seen_));
    return chosen;
  }
  if (line == 0) {
    TLastLineScanner last(text.Units());
    text.Feed(last);
    learnt(std::nullopt);
    if (!last.HasLines()) NoLine(-1, 0, observer);
    std::string chosen = text.HostText(last.LastLine());
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
