// filedata: runs the plug-in's data query from the command line.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "query/DecimalSeparator.h"
#include "query/X87.h"
#include "tools/filedata/AnswerFormat.h"
#include "tools/filedata/CommandLine.h"
#include "tools/filedata/Describe.h"

namespace {
using namespace filedata;
using namespace filedata::tool;

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

void WriteLine(std::FILE* stream, const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stream);
  std::fputc('\n', stream);
  std::fflush(stream);
}

// Prints one outcome; returns the exit status it stands for.
int Report(const TCommandLine& command, const TQueryOutcome& outcome) {
  const bool failed = outcome.Result != hr::Ok;
  if (command.Json) WriteLine(stdout, JsonAnswer(outcome));
  else WriteLine(failed ? stderr : stdout, PlainAnswer(outcome));
  return failed ? kExitFailed : 0;
}

[[noreturn]] void Watch(const TCommandLine& command) {
  const auto interval = std::chrono::duration<double>(*command.WatchSeconds);
  std::string previous;
  bool first = true;
  for (;;) {
    const TQueryOutcome outcome = RunQuery(command.Params);
    const std::string shown = command.Json ? JsonAnswer(outcome) : ResultName(outcome.Result) + PlainAnswer(outcome);
    if (first || shown != previous) Report(command, outcome);
    previous = shown;
    first = false;
    std::this_thread::sleep_for(interval);
  }
}
}  // namespace

int main(int argc, char** argv) {
  // What the plug-in does when it is loaded.
  x87::AdoptCallerControlWord();
  InitLocaleDecimalSeparator();

  std::string error;
  const auto command = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!command) {
    std::fprintf(stderr, "filedata: %s\n\n%s", error.c_str(), kUsage);
    return kExitUsage;
  }
  if (command->Help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (command->Describe) return PrintDescription(command->Json);
  if (command->WatchSeconds) Watch(*command);
  return Report(*command, RunQuery(command->Params));
}
