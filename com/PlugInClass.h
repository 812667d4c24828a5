#pragma once
// The plug-in class as the registry and its clients know it, written once.
// Portable, so that the build makes the installer's rows of it too.
#include <string_view>

namespace filedata::com {

// The registry's text of the class identifier; GuidFromText makes the CLSID.
inline constexpr std::string_view kPlugInClassId = "{74AE9A69-3FE7-496B-A375-893E076AD04D}";
inline constexpr std::string_view kPlugInClassName = "FileData";  // the ProgID's part after the library name
inline constexpr std::string_view kPlugInDescription = "Filedata plugin for Qelt";
inline constexpr std::string_view kPlugInThreadingModel = "Apartment";
inline constexpr std::string_view kServerKeyName = "InprocServer32";  // the subkey naming an in-process library

}  // namespace filedata::com
