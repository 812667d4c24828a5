#pragma once
// How the tools report a call's result: "WHAT answered NAME", and " (WHY)"
// when there is a why.
#include <string>
#include <string_view>

#include "descriptor/HResult.h"

namespace filedata::tool {

inline std::string Answered(std::string_view what, HResult result, std::string_view why = {}) {
  std::string said = std::string(what) + " answered " + ResultName(result);
  return why.empty() ? said : said + " (" + std::string(why) + ")";
}

}  // namespace filedata::tool
