#pragma once
// What filedata-host prints: the plug-in's description, laid out by the same
// code as filedata --describe, then the query's answer and the library's
// answer to whether it may be unloaded.
#include <optional>
#include <string>

#include "descriptor/HResult.h"
#include "explain/AnswerWords.h"
#include "tools/common/Description.h"

namespace filedata::host {

struct THostQuery {
  std::string Params;
  TQueryOutcome Outcome;
};

struct THostReport {
  tool::TDescription Description;
  std::optional<THostQuery> Query;      // when PARAMS was given
  std::optional<HResult> CanUnloadNow;  // only a library loaded by path is asked
};

// Aligned, multi-line; ends with a newline.
std::string PlainHostReport(const THostReport& report);

// One JSON object.
std::string JsonHostReport(const THostReport& report);

}  // namespace filedata::host
