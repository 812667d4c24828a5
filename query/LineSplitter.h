#pragma once
// The one line-splitting rule, fed chunk by chunk: CR LF, a lone CR and a
// lone LF each end a line; a break at the very end adds no empty line. It
// works on code units of either size; the text it is fed has already ended
// at its first zero unit (TextFile.h).
#include <string>
#include <string_view>

#include "query/BreakAcrossReads.h"
#include "query/CodeUnits.h"
#include "query/UnitSearch.h"

namespace filedata {

class TLineSink {
 public:
  virtual ~TLineSink() = default;
  // Receives each line's code units in order; returning false stops the
  // splitting.
  virtual bool OnLine(std::string_view line) = 0;
};

class TLineSplitter final : public TUnitSink {
 public:
  TLineSplitter(const TUnitSearches& units, TLineSink& sink) : units_(units), sink_(sink), breaks_(units) {}

  // Splits the next units of the text. False once the sink has asked to
  // stop: feed no more.
  bool OnUnits(std::string_view units) override;
  // End of the text: delivers the line in progress, if any.
  void Finish();

 private:
  bool Deliver(std::string_view line);

  const TUnitSearches& units_;
  TLineSink& sink_;
  TBreakAcrossReads breaks_;
  std::string pending_;  // a line's start that crossed a chunk boundary
  bool ended_ = false;
};

}  // namespace filedata
