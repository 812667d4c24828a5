#pragma once
// A reading explained by the plug-in object itself: its answer and the
// steps that decided it, taken apart for the tools to show.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "descriptor/PlugInOperations.h"
#include "explain/AnswerWords.h"

namespace filedata::tool {

using TJson = nlohmann::ordered_json;

struct TExplainStep {
  std::string Step;    // "pair", "parameters", "file", ... "answer"
  std::string Detail;  // one line in plain words
  TJson Values;        // the whole step as the plug-in wrote it, texts as their bytes
};

struct TExplained {
  TQueryOutcome Outcome;  // the answer, as the host receives it
  std::string StepsJson;  // the steps as the plug-in wrote them
  std::vector<TExplainStep> Steps;
  // The file's lines as the plug-in read them, texts as their bytes, when
  // asked for (ExplainWithView); null otherwise.
  TJson View;
};

// What every tool says of a plug-in without the explanation interface.
inline constexpr char kCannotExplain[] =
    "this version of the plug-in cannot explain its readings (it is older than this tool)";

// ExplainData for data item 0 of PLUGIN. Raises std::runtime_error when
// the steps it hands out are no JSON array of steps.
TExplained Explain(IExplainingPlugIn& plugIn, const std::string& params);

// ExplainWithView for data item 0 of PLUGIN: the same, and the view.
TExplained ExplainWithView(IExplainingPlugIn& plugIn, const std::string& params);

// Each string of VALUE, which the plug-in wrote with byte B as code point
// B, turned back into those bytes.
void BackToBytes(TJson& value);

// The steps of JSON, as the plug-in writes them, texts as their bytes.
// Raises std::runtime_error as Explain does.
std::vector<TExplainStep> StepsOf(const std::string& json);

// "step: detail" lines, each ending in a newline.
std::string PlainExplanation(const TExplained& explained);

}  // namespace filedata::tool
