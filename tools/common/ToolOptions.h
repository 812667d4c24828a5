#pragma once
// What the tools' command lines share: --help (and --json where a tool
// writes JSON), the usage text as the only help, and CLI11's reasons for a
// usage error.
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace filedata::tool {

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
