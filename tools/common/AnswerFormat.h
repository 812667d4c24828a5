#pragma once
// How the tools show a query's outcome.
#include <string>

#include "tools/common/JsonText.h"
#include "tools/common/QueryOutcome.h"

namespace filedata::tool {

// The plain answer line (without its newline); on failure the error text.
std::string PlainAnswer(const TQueryOutcome& outcome);

// {"hr":"S_OK","kind":0,"number":42.5}, {"hr":"S_OK","kind":1,"text":"..."}
// or {"hr":"E_FAIL","error":"..."}; an infinity is the string "inf".
TJson JsonAnswer(const TQueryOutcome& outcome);

}  // namespace filedata::tool
