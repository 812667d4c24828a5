#pragma once
// The end of a text without its every line: the last line, and the number
// of lines, found with one fast search per chunk instead of a stop at each
// line. The lines are those of the one splitting rule (LineSplitter.h), over
// code units of either size.
#include <cstdint>
#include <string_view>

#include "query/BreakAcrossReads.h"
#include "query/CodeUnits.h"
#include "query/UnitSearch.h"

namespace filedata {

// Where some of a text's units lie: bytes [Begin, End) from its start.
struct TUnitSpan {
  std::uint64_t Begin = 0, End = 0;
};

// Fed the text chunk by chunk; keeps none of it, only where the last line
// and the one before it lie, because a final line break adds no empty line.
class TLastLineScanner final : public TUnitSink {
 public:
  explicit TLastLineScanner(const TUnitSearches& units) : units_(units), breaks_(units) {}
  bool OnUnits(std::string_view units) override;
  bool HasLines() const noexcept { return tailAt_ < breaks_.End() || sawBreak_; }
  // Where the last line's code units lie; call when the text has ended.
  TUnitSpan LastLine() const noexcept {
    return tailAt_ < breaks_.End() ? TUnitSpan{tailAt_, breaks_.End()} : previous_;
  }

 private:
  const TUnitSearches& units_;
  TBreakAcrossReads breaks_;
  std::uint64_t tailAt_ = 0;  // where the line in progress begins: past the last break
  TUnitSpan previous_;        // the line the last break ended
  bool sawBreak_ = false;
};

// Counts the lines of a text fed chunk by chunk.
class TLineCounter final : public TUnitSink {
 public:
  explicit TLineCounter(const TUnitSearches& units) : units_(units), breaks_(units) {}
  bool OnUnits(std::string_view units) override;
  bool FindsZero() const noexcept override { return true; }
  std::size_t OnUnitsUpToZero(std::string_view units) override;
  std::uint64_t LineCount() const noexcept { return ends_ + (inLine_ ? 1 : 0); }

 private:
  const TUnitSearches& units_;
  TBreakAcrossReads breaks_;
  std::uint64_t ends_ = 0;
  bool inLine_ = false;  // the text so far ends inside a line
};

}  // namespace filedata
