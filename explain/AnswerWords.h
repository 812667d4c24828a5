#pragma once
// One answer of the plug-in as its host receives it, and the ways it is
// shown: the value alone, in words, and as JSON. The plug-in's explanation
// ends with it, and every tool shows it the same way.
#include <cstdint>
#include <string>
#include <string_view>

#include "descriptor/DescriptorTables.h"
#include "descriptor/HResult.h"
#include "explain/JsonWriting.h"

namespace filedata {

struct TQueryOutcome {
  HResult Result = hr::Ok;
  std::uint8_t ValueKind = descriptor::kTextKind;
  double Number = 0;  // for a number
  std::string Text;   // for a text
  std::string Error;  // the last-error text on failure
};

// TEXT between double quotes, byte for byte, as every explanation quotes.
std::string Quoted(std::string_view text);

// "START=7 LENGTH=4": a cut as the parameters give it, in every tool's words.
std::string CutWords(std::int64_t start, std::int64_t length);

// The number (42.5, inf), the text as it is, or on failure the last-error text.
std::string AnswerValue(const TQueryOutcome& outcome);

// "S_OK, kind 0, number 42.5", "S_OK, kind 1, text "..."" or
// "E_FAIL, last-error text "..."".
std::string AnswerWords(const TQueryOutcome& outcome);

// "hr":"S_OK","kind":0,"number":42.5 or "hr":"S_OK","kind":1,"text":"..." or
// "hr":"E_FAIL","error":"...".
TJsonObject AnswerJson(const TQueryOutcome& outcome);

}  // namespace filedata
