#pragma once
// What the tools' command lines share: --help (and --json where a tool
// writes JSON), the usage text as the only help, and CLI11's reasons for a
// usage error.
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "query/ParamTable.h"

namespace filedata::tool {

// The PARAMS paragraph of a usage text, from the parameters' own table,
// indented by INDENT.
inline std::string ParamsUsage(std::size_t indent) {
  const std::string margin(indent, ' ');
  std::string text = "PARAMS" + std::string(indent > 6 ? indent - 6 : 1, ' ') +
                     "KEY=value pairs separated by |, for example\n" + margin + "'" + kExampleParams + "'\n";
  for (const TParamRow& row : kParams) {
    std::string key(row.KeyName);
    key.resize(10, ' ');
    text += margin + key + std::string(row.Meaning);
    if (row.Value == TParamValue::Integer) text += " (default " + std::to_string(row.QueryDefault) + ")";
    text += "\n";
  }
  return text;
}

// An option parser that knows -h/--help (and --json); the caller adds the rest.
class TToolOptions {
 public:
  TToolOptions(bool& help, bool& json) : TToolOptions(help) { app_.add_flag("--json", json); }
  explicit TToolOptions(bool& help) {
    app_.set_help_flag();  // the tool prints its own usage text
    app_.add_flag("-h,--help", help);
  }
  CLI::App& App() noexcept { return app_; }

  // False on a usage error, with CLI11's reason in ERROR.
  bool Parse(const std::vector<std::string>& args, std::string& error) {
    std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them last first
    try {
      app_.parse(reversed);
      return true;
    } catch (const CLI::ParseError& failure) {
      error = failure.what();
      return false;
    }
  }

 private:
  CLI::App app_;
};

}  // namespace filedata::tool
