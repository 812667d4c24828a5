#pragma once
// One data query as a host makes it: GetData, then on failure the object's
// last-error text.
#include <string>

#include "descriptor/PlugInOperations.h"
#include "explain/AnswerWords.h"

namespace filedata::tool {

// GetData for data item 0 of PLUGIN.
TQueryOutcome AskQuery(IPlugIn& plugIn, const std::string& params);

// OUTCOME, whose result and value PLUGIN has just written, completed with
// TEXT, the text it handed out, and on failure its last-error text.
void CompleteOutcome(IPlugIn& plugIn, const char* text, TQueryOutcome& outcome);

}  // namespace filedata::tool
