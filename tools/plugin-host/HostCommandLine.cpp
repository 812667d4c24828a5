#include "tools/plugin-host/HostCommandLine.h"

namespace filedata::host {

const char kHostUsage[] =
    "usage: filedata-host [--json] --dll PATH [PARAMS]\n"
    "       filedata-host [--json] --clsid [PARAMS]\n"
    "\n"
    "Loads the Filedata plug-in the way the host does, prints every answer it\n"
    "gives about itself and, when PARAMS is given, its answer to that query.\n"
    "\n"
    "--dll PATH   load the DLL at PATH and get its class factory through\n"
    "             DllGetClassObject; afterwards show DllCanUnloadNow's answer\n"
    "--clsid      create the plug-in through CoCreateInstance of its class\n"
    "             identifier; the DLL must be registered (regsvr32)\n"
    "--json       print one JSON object on one line\n"
    "PARAMS       KEY=value pairs separated by |, for example\n"
    "             'FILENAME=samples/temp.txt|LINE=0|START=7|LENGTH=4'\n"
    "\n"
    "Exit status: 0 answered, 1 loading, creating or the query failed (reason on\n"
    "stderr), 2 usage error.\n";

namespace {
bool IsOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-' && arg[1] == '-'; }

// Checks what the loop cannot see: a way to load, and only one.
bool CheckLoadWay(bool byPath, bool byClassId, std::string& error) {
  if (byPath && byClassId) error = "--dll and --clsid exclude each other";
  else if (!byPath && !byClassId) error = "say how to load the plug-in: --dll PATH or --clsid";
  return error.empty();
}
}  // namespace

std::optional<THostCommandLine> ParseHostCommandLine(const std::vector<std::string>& args, std::string& error) {
  THostCommandLine line;
  bool byPath = false;
  bool byClassId = false;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
      line.Help = true;
    } else if (!optionsEnded && arg == "--json") {
      line.Json = true;
    } else if (!optionsEnded && arg == "--clsid") {
      byClassId = true;
    } else if (!optionsEnded && arg == "--dll") {
      // A path that looks like an option is far more likely a forgotten PATH.
      if (byPath || i + 1 >= args.size() || args[i + 1].empty() || IsOption(args[i + 1])) {
        error = byPath ? "--dll is given twice" : "--dll needs a PATH";
        return std::nullopt;
      }
      line.DllPath = args[++i];
      byPath = true;
    } else if (!optionsEnded && IsOption(arg)) {
      error = "unknown option " + arg;
      return std::nullopt;
    } else if (line.Params) {
      error = "only one PARAMS argument is taken (quote it)";
      return std::nullopt;
    } else {
      line.Params = arg;
    }
  }
  if (line.Help) return line;
  if (!CheckLoadWay(byPath, byClassId, error)) return std::nullopt;
  line.LoadWay = byPath ? TLoadWay::ByPath : TLoadWay::ByClassId;
  return line;
}

}  // namespace filedata::host
