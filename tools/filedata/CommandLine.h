#pragma once
// The filedata command's arguments.
#include <optional>
#include <string>
#include <vector>

namespace filedata::tool {

struct TCommandLine {
  bool Json = false;
  bool Help = false;
  bool Describe = false;
  bool Explain = false;
  bool Version = false;
  std::optional<double> WatchSeconds;
  std::string Params;
};

// Nothing on a usage error, with its text in ERROR.
std::optional<TCommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string& error);

std::string Usage();

}  // namespace filedata::tool
