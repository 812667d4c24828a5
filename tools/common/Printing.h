#pragma once
// What both command-line tools print for a query: the answer line, and the
// explanation before it; and the exit status each stands for.
#include "explain/AnswerWords.h"
#include "tools/common/Explain.h"

namespace filedata::tool {

constexpr int kExitFailed = 1;  // the query failed, or loading the plug-in did
constexpr int kExitUsage = 2;

// The answer as one JSON object, or its value (on failure the last-error
// text, to stderr); 0, or kExitFailed for a failed query.
int PrintAnswer(const TQueryOutcome& outcome, bool json);

// The steps, as lines or as the plug-in's JSON array, then PrintAnswer.
int PrintExplained(const TExplained& explained, bool json);

}  // namespace filedata::tool
