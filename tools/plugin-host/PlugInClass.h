#pragma once
// The class filedata-host asks for. Like any host, it knows the class
// identifier of the plug-in it wants; it does not learn it from the plug-in.
#include <objbase.h>

namespace filedata::host {

// {74AE9A69-3FE7-496B-A375-893E076AD04D}
inline constexpr CLSID kFiledataPlugInClass = {
    0x74AE9A69, 0x3FE7, 0x496B, {0xA3, 0x75, 0x89, 0x3E, 0x07, 0x6A, 0xD0, 0x4D}};

}  // namespace filedata::host
