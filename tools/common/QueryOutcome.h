#pragma once
// One data query as a host makes it: GetData, then on failure the object's
// last-error text.
#include <cstdint>
#include <string>

#include "descriptor/PlugInOperations.h"

namespace filedata::tool {

struct TQueryOutcome {
  HResult Result = 0;
  std::uint8_t ValueKind = 1;
  double Number = 0;
  std::string Text;   // the text answer
  std::string Error;  // the last-error text on failure
};

// GetData for data item 0 of PLUGIN.
TQueryOutcome AskQuery(IPlugIn& plugIn, const std::string& params);

}  // namespace filedata::tool
