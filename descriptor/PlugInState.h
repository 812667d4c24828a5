#pragma once
// What one plug-in object holds of its own. The COM object wraps one of
// these, so two objects never see each other's errors or answers.
#include <cstdint>

#include "query/DataQuery.h"
#include "query/HResult.h"
#include "query/LastErrorText.h"

namespace filedata::descriptor {

struct TPlugInState {
  // Shared by the descriptor lookups and the data query: the host reads
  // whichever failed last.
  TLastErrorText LastError;
  // Keeps the last text answer alive after the call.
  TDataQuery Query;
};

// The data query as the host calls it: any failure becomes E_FAIL with its
// message as the last-error text. Nothing escapes.
HResult GetData(TPlugInState& state, std::int32_t itemIndex, const char* params, const char** itemName,
                std::uint8_t* valueKind, const char** text, double* number) noexcept;

}  // namespace filedata::descriptor
