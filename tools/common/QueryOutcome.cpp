#include "tools/common/QueryOutcome.h"

namespace filedata::tool {

TQueryOutcome AskQuery(IPlugIn& plugIn, const std::string& params) {
  TQueryOutcome outcome;
  const char* itemName = nullptr;
  const char* text = nullptr;
  outcome.Result = plugIn.GetData(0, params.c_str(), &itemName, &outcome.ValueKind, &text, &outcome.Number);
  CompleteOutcome(plugIn, text, outcome);
  return outcome;
}

void CompleteOutcome(IPlugIn& plugIn, const char* text, TQueryOutcome& outcome) {
  if (text) outcome.Text = text;
  if (outcome.Result == hr::Ok) return;
  const char* error = nullptr;
  if (plugIn.GetLastErrorText(&error) == hr::Ok && error) outcome.Error = error;
}

}  // namespace filedata::tool
