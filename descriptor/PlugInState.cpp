#include "descriptor/PlugInState.h"

#include "query/FailureReport.h"

namespace filedata::descriptor {

HResult GetData(TPlugInState& state, std::int32_t itemIndex, const char* params, const char** itemName,
                std::uint8_t* valueKind, const char** text, double* number) noexcept {
  return CallReportingFailures(state.LastError, [&] {
    return state.Query.GetData(state.LastError, itemIndex, params, itemName, valueKind, text, number);
  });
}

}  // namespace filedata::descriptor
