#include "descriptor/HResult.h"

#include <cstdint>
#include <cstdio>

namespace filedata {

namespace {
struct TResultName {
  HResult code;
  const char* name;
};
// Also the codes a host meets while loading and creating a plug-in.
constexpr TResultName kResultNames[] = {
    {hr::Ok, "S_OK"},
    {hr::False, "S_FALSE"},
    {hr::Fail, "E_FAIL"},
    {hr::Pointer, "E_POINTER"},
    {hr::NotImpl, "E_NOTIMPL"},
    {hr::NoInterface, "E_NOINTERFACE"},
    {hr::Unexpected, "E_UNEXPECTED"},
    {hr::NoAggregation, "CLASS_E_NOAGGREGATION"},
    {hr::ClassNotAvailable, "CLASS_E_CLASSNOTAVAILABLE"},
    {static_cast<HResult>(0x80040154u), "REGDB_E_CLASSNOTREG"},
    {static_cast<HResult>(0x800401F0u), "CO_E_NOTINITIALIZED"},
    {static_cast<HResult>(0x8007000Eu), "E_OUTOFMEMORY"},
    {static_cast<HResult>(0x80070057u), "E_INVALIDARG"},
};
}  // namespace

std::string ResultName(HResult result) {
  for (const auto& entry : kResultNames) {
    if (entry.code == result) return entry.name;
  }
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned int>(static_cast<std::uint32_t>(result)));
  return hex;
}

}  // namespace filedata
