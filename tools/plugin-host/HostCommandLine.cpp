#include "tools/plugin-host/HostCommandLine.h"

#include "tools/common/ToolOptions.h"

namespace filedata::host {

using tool::TToolOptions;

std::string HostUsage() {
  return std::string(
             "usage: filedata-host [--json] --dll PATH [PARAMS]\n"
             "       filedata-host [--json] --clsid [PARAMS]\n"
             "       filedata-host --explain [--json] (--dll PATH | --clsid) PARAMS\n"
             "\n"
             "Loads the Filedata plug-in the way the host does, prints every answer it\n"
             "gives about itself and, when PARAMS is given, its answer to that query.\n"
             "\n"
             "--dll PATH   load the DLL at PATH and get its class factory through\n"
             "             DllGetClassObject; afterwards show DllCanUnloadNow's answer\n"
             "--clsid      create the plug-in through CoCreateInstance of its class\n"
             "             identifier; the DLL must be registered (regsvr32)\n"
             "--explain    ask the loaded plug-in to explain its answer to PARAMS, step\n"
             "             by step, as filedata --explain does; then the answer\n"
             "--json       print JSON on one line\n") +
         tool::ParamsUsage(13) +
         "\n"
         "Exit status: 0 answered, 1 loading, creating or the query failed (reason on\n"
         "stderr), 2 usage error.\n";
}

std::optional<THostCommandLine> ParseHostCommandLine(const std::vector<std::string>& args, std::string& error) {
  THostCommandLine line;
  std::string params;
  TToolOptions options(line.Help, line.Json);
  CLI::App& app = options.App();
  CLI::Option* byClassId = app.add_flag("--clsid");
  CLI::Option* explain = app.add_flag("--explain", line.Explain);
  // A path that looks like an option is far more likely a forgotten PATH.
  CLI::Option* byPath = app.add_option("--dll", line.DllPath)
                            ->multi_option_policy(CLI::MultiOptionPolicy::Throw)
                            ->check([](const std::string& path) {
                              return path.empty() || path.rfind("--", 0) == 0 ? "needs a PATH" : "";
                            });
  byPath->excludes(byClassId);
  CLI::Option* query = app.add_option("PARAMS", params);
  if (!options.Parse(args, error)) return std::nullopt;
  if (query->count()) line.Params = params;
  if (line.Help) return line;
  if (!byPath->count() && !byClassId->count()) {
    error = "say how to load the plug-in: --dll PATH or --clsid";
    return std::nullopt;
  }
  if (explain->count() && !query->count()) {
    error = "--explain needs PARAMS";
    return std::nullopt;
  }
  line.LoadWay = byPath->count() ? TLoadWay::ByPath : TLoadWay::ByClassId;
  return line;
}

}  // namespace filedata::host
