#pragma once
// How the filedata command prints a query's outcome.
#include <cstdint>
#include <string>
#include <string_view>

#include "query/HResult.h"

namespace filedata::tool {

struct TQueryOutcome {
  HResult Result = 0;
  std::uint8_t ValueKind = 1;
  double Number = 0;
  std::string Text;   // the text answer
  std::string Error;  // the last-error text on failure
};

// Runs one query on a fresh object, as a host would.
TQueryOutcome RunQuery(const std::string& params);

// Shortest text that reads back as the same double: 42.5, -0, inf, -inf.
std::string FormatNumber(double value);

// The plain answer line (without its newline); on failure the error text.
std::string PlainAnswer(const TQueryOutcome& outcome);

// One JSON object on one line; bytes 0x80-0xFF become \u0080-\u00FF.
std::string JsonAnswer(const TQueryOutcome& outcome);

// TEXT as a JSON string literal, quotes included.
std::string JsonString(std::string_view text);

// "S_OK", "E_FAIL", ... or 0x-prefixed hex for any other code.
std::string ResultName(HResult result);

}  // namespace filedata::tool
