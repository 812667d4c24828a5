#pragma once
// The plug-in class as the registry and its clients know it, written once:
// the DLL registers these texts, and the installer's rows are made from them
// on the build machine, so nothing here needs Windows.
#include <string_view>

namespace filedata::com {

// The class identifier's registry text; GuidFromText makes the CLSID of it.
inline constexpr std::string_view kPlugInClassId = "{74AE9A69-3FE7-496B-A375-893E076AD04D}";
// The ProgID's part after the library name.
inline constexpr std::string_view kPlugInClassName = "FileData";
inline constexpr std::string_view kPlugInDescription = "Filedata plugin for Qelt";
inline constexpr std::string_view kPlugInThreadingModel = "Apartment";
// The class key's subkey that names an in-process server's library.
inline constexpr std::string_view kServerKeyName = "InprocServer32";

}  // namespace filedata::com
