#include "tools/common/AnswerFormat.h"
#include "tools/common/QueryOutcome.h"

namespace filedata::tool {

TQueryOutcome AskQuery(IPlugIn& plugIn, const std::string& params) {
  TQueryOutcome outcome;
  const char* itemName = nullptr;
  const char* text = nullptr;
  outcome.Result = plugIn.GetData(0, params.c_str(), &itemName, &outcome.ValueKind, &text, &outcome.Number);
  if (text) outcome.Text = text;
  if (outcome.Result != hr::Ok) {
    const char* error = nullptr;
    if (plugIn.GetLastErrorText(&error) == hr::Ok && error) outcome.Error = error;
  }
  return outcome;
}

}  // namespace filedata::tool
