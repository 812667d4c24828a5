#pragma once
// Advice on a cut that reads as a number today but may not tomorrow: the
// cut stops inside a longer number (START=7 LENGTH=4 takes "100." out of
// "Temp: 100.25 C", and the desktop shows 100), or the same cut on another
// shown line that looks like this one gives text or such a part. Only
// advice: the answer never changes. A sturdier cut is offered only when the
// query's own cut and number rules read the whole number with it on every
// such line.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "explain/Host.h"
#include "explain/JsonWriting.h"
#include "query/FileView.h"
#include "query/Text.h"

namespace filedata::explain {

struct TSturdierCut {
  std::int64_t Start = 1;
  std::int64_t Length = kLengthToLineEnd;
};

struct TCutAdvice {
  bool Fragile = false;
  std::string Detail;  // one plain line, fragile or not
  std::optional<TSturdierCut> Sturdier;
  std::uint64_t LinesAlike = 0;  // other shown lines that look like the selected one
};

// The selected line LINE (number LINENUMBER from 1, 0 when not known) cut
// from START for LENGTH (-1: to the end), read with SEPARATOR; VIEW, when
// given, holds the other lines to hold the cut against; HOST's text, the
// characters they hold. Nothing when the cut is no number.
std::optional<TCutAdvice> AdviseCut(std::string_view line, std::uint64_t lineNumber, std::int64_t start,
                                    std::int64_t length, char separator, const TFileView* view, const THost& host);

// The advice's values, as the explanation's step and the view both give
// them: whether it is fragile, the lines alike and the sturdier cut
// (ViewKeys.h).
TJsonObject AdviceValues(const TCutAdvice& advice);

}  // namespace filedata::explain
