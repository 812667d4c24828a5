#pragma once
// The filedata-host command's arguments.
#include <optional>
#include <string>
#include <vector>

namespace filedata::host {

enum class TLoadWay {
  ByPath,     // LoadLibrary and DllGetClassObject, no registration needed
  ByClassId,  // CoCreateInstance of the registered class
};

struct THostCommandLine {
  bool Json = false;
  bool Help = false;
  bool Explain = false;  // the plug-in's own explanation of PARAMS, not the report
  TLoadWay LoadWay = TLoadWay::ByPath;
  std::string DllPath;                // for TLoadWay::ByPath
  std::optional<std::string> Params;  // a query to ask, when given (even empty)
};

// Nothing on a usage error, with its text in ERROR.
std::optional<THostCommandLine> ParseHostCommandLine(const std::vector<std::string>& args, std::string& error);

std::string HostUsage();

}  // namespace filedata::host
