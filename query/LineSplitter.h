#pragma once
// The one line-splitting rule, fed chunk by chunk: CR LF, a lone CR and a
// lone LF each end a line; a break at the very end adds no empty line. It
// works on code units of either size; the text it is fed has already ended
// at its first zero unit (TextFile.h). It holds no line: each reaches its
// sink piece by piece, as the reads bring it.
#include <cstdint>
#include <string_view>

#include "query/BreakAcrossReads.h"
#include "query/CodeUnits.h"
#include "query/UnitSearch.h"

namespace filedata {

class TLineSink {
 public:
  virtual ~TLineSink() = default;
  // The next piece of the line in progress, its code units in order, the
  // first of them AT bytes from the text's start; ENDS: the line ends with
  // it. A line within one read comes as one piece. Returning false stops
  // the splitting.
  virtual bool OnPiece(std::string_view units, std::uint64_t at, bool ends) = 0;
};

class TLineSplitter final : public TUnitSink {
 public:
  TLineSplitter(const TUnitSearches& units, TLineSink& sink) : units_(units), sink_(sink), breaks_(units) {}

  // Splits the next units of the text. False once the sink has asked to
  // stop: feed no more.
  bool OnUnits(std::string_view units) override;
  // End of the text: ends the line in progress, if any.
  void Finish();

 private:
  bool Deliver(std::string_view piece, std::uint64_t at, bool ends);

  const TUnitSearches& units_;
  TLineSink& sink_;
  TBreakAcrossReads breaks_;
  bool open_ = false;  // a line is in progress: some of its units were handed on
  bool ended_ = false;
};

}  // namespace filedata
