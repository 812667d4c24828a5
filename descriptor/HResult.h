#pragma once
// Result codes of the host's operations, without the Windows headers, so
// that the portable plug-in object and the tools speak the host's language.
#include <cstdint>
#include <string>

namespace filedata {

using HResult = std::int32_t;

namespace hr {
constexpr HResult Ok = 0;
constexpr HResult False = 1;
constexpr HResult NotImpl = static_cast<HResult>(0x80004001u);
constexpr HResult NoInterface = static_cast<HResult>(0x80004002u);
constexpr HResult Pointer = static_cast<HResult>(0x80004003u);
constexpr HResult Fail = static_cast<HResult>(0x80004005u);
constexpr HResult Unexpected = static_cast<HResult>(0x8000FFFFu);
constexpr HResult NoAggregation = static_cast<HResult>(0x80040110u);
constexpr HResult ClassNotAvailable = static_cast<HResult>(0x80040111u);
}  // namespace hr

// "S_OK", "E_FAIL", ... or 0x-prefixed hex for any other code.
std::string ResultName(HResult result);

}  // namespace filedata
