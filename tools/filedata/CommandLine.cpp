#include "tools/filedata/CommandLine.h"

#include <charconv>
#include <cmath>

#include "tools/common/ToolOptions.h"

namespace filedata::tool {

std::string Usage() {
  return std::string(
             "usage: filedata [--json] [--watch SECONDS] PARAMS\n"
             "       filedata --explain [--json] PARAMS\n"
             "       filedata --describe [--json]\n"
             "       filedata --version\n"
             "\n"
             "Reads a text file, picks a line, cuts a piece out of it and prints it:\n"
             "as a number when the piece reads as one, else as text.\n"
             "\n") +
         ParamsUsage(9) +
         "\n"
         "--json            print one JSON object per answer\n"
         "--watch SECONDS   repeat every SECONDS, printing each change, until interrupted\n"
         "--explain         tell, step by step, how the answer came about: what each\n"
         "                  pair set or why it was ignored, the file test, the line,\n"
         "                  the cut and the number test; then the answer\n"
         "--describe        print what the plug-in tells the host about itself: name,\n"
         "                  version words, about rows, data items, parameters with their\n"
         "                  defaults, descriptions and editor hints, update location\n"
         "--version         print the version\n"
         "\n"
         "Exit status: 0 answered, 1 the query failed (message on stderr), 2 usage error.\n";
}

namespace {
// Read without the locale, like every number of this program.
std::optional<double> ParseSeconds(const std::string& text) {
  double seconds = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(seconds) || seconds <= 0) {
    return std::nullopt;
  }
  return seconds;
}
}  // namespace

std::optional<TCommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string& error) {
  TCommandLine line;
  std::string seconds;
  TToolOptions options(line.Help, line.Json);
  CLI::App& app = options.App();
  CLI::Option* describe = app.add_flag("--describe", line.Describe);
  CLI::Option* explain = app.add_flag("--explain", line.Explain);
  CLI::Option* version = app.add_flag("--version", line.Version);
  CLI::Option* watch = app.add_option("--watch", seconds)->check(
      [](const std::string& text) { return ParseSeconds(text) ? "" : "needs a positive number of seconds"; });
  CLI::Option* params = app.add_option("PARAMS", line.Params);
  describe->excludes(watch)->excludes(params)->excludes(explain);
  explain->excludes(watch);
  version->excludes(describe)->excludes(explain)->excludes(watch)->excludes(params);
  if (!options.Parse(args, error)) return std::nullopt;
  if (watch->count()) line.WatchSeconds = ParseSeconds(seconds);
  if (!params->count() && !line.Help && !line.Describe && !line.Version) {
    error = "PARAMS is missing";
    return std::nullopt;
  }
  return line;
}

}  // namespace filedata::tool
