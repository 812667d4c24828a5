#include "tools/filedata/CommandLine.h"

#include <charconv>
#include <cmath>

namespace filedata::tool {

const char kUsage[] =
    "usage: filedata [--json] [--watch SECONDS] PARAMS\n"
    "       filedata --describe [--json]\n"
    "\n"
    "Reads a text file, picks a line, cuts a piece out of it and prints it:\n"
    "as a number when the piece reads as one, else as text.\n"
    "\n"
    "PARAMS   KEY=value pairs separated by |, for example\n"
    "         'FILENAME=samples/temp.txt|LINE=0|START=7|LENGTH=4'\n"
    "         FILENAME  the file to read\n"
    "         LINE      line number from 1; 0 is the last line (default 1)\n"
    "         START     first byte of the cut, from 1 (default 1)\n"
    "         LENGTH    bytes to cut; -1 is to the end of the line (default -1)\n"
    "\n"
    "--json            print one JSON object per answer\n"
    "--watch SECONDS   repeat every SECONDS, printing each change, until interrupted\n"
    "--describe        print what the plug-in tells the host about itself: name,\n"
    "                  version words, about rows, data items, parameters with their\n"
    "                  defaults, descriptions and editor hints, update location\n"
    "\n"
    "Exit status: 0 answered, 1 the query failed (message on stderr), 2 usage error.\n";

namespace {
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
  bool haveParams = false;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
      line.Help = true;
    } else if (!optionsEnded && arg == "--describe") {
      line.Describe = true;
    } else if (!optionsEnded && arg == "--json") {
      line.Json = true;
    } else if (!optionsEnded && arg == "--watch") {
      if (i + 1 >= args.size() || !(line.WatchSeconds = ParseSeconds(args[i + 1]))) {
        error = "--watch needs a positive number of seconds";
        return std::nullopt;
      }
      ++i;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
      error = "unknown option " + arg;
      return std::nullopt;
    } else if (haveParams) {
      error = "only one PARAMS argument is taken (quote it)";
      return std::nullopt;
    } else {
      line.Params = arg;
      haveParams = true;
    }
  }
  if (line.Describe && (haveParams || line.WatchSeconds)) {
    error = "--describe takes neither PARAMS nor --watch";
    return std::nullopt;
  }
  if (!haveParams && !line.Help && !line.Describe) {
    error = "PARAMS is missing";
    return std::nullopt;
  }
  return line;
}

}  // namespace filedata::tool
