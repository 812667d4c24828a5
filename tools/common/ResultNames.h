#pragma once
#include <string>

#include "descriptor/HResult.h"

namespace filedata::tool {

// "S_OK", "E_FAIL", ... or 0x-prefixed hex for any other code.
std::string ResultName(HResult result);

}  // namespace filedata::tool
