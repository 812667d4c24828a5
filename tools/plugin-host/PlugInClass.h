#pragma once
// The class filedata-host asks for. Like any host, it knows the class
// identifier of the plug-in it wants; it does not learn it from the plug-in.
#include <objbase.h>

#include "com/GuidFromText.h"
#include "com/PlugInClass.h"

namespace filedata::host {

inline constexpr CLSID kFiledataPlugInClass = com::GuidFromText(com::kPlugInClassId);

}  // namespace filedata::host
