#pragma once
// filedata --explain: how a query was answered, step by step, in the words of
// the steps the query reports as it takes them.
#include <string>
#include <vector>

#include "tools/common/JsonText.h"
#include "tools/common/QueryOutcome.h"

namespace filedata::tool {

struct TExplainStep {
  std::string Step;    // "pair", "parameters", "file", "line", "cut", "number", "answer"
  std::string Detail;  // one line in plain words
  TJson Values;        // the values involved
};

struct TExplained {
  std::vector<TExplainStep> Steps;
  TQueryOutcome Outcome;  // the answer, as the host receives it
};

// Runs PARAMS on a fresh plug-in object with an observer.
TExplained Explain(const std::string& params);

// "step: detail" lines, each ending in a newline.
std::string PlainExplanation(const TExplained& explained);

// [{"step":...,"detail":...,...}, ...]
TJson JsonExplanation(const TExplained& explained);

}  // namespace filedata::tool
