// filedata: runs the plug-in's data query from the command line.
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "FiledataVersion.h"
#include "descriptor/PlugIn.h"
#include "query/DecimalSeparator.h"
#include "query/X87.h"
#include "tools/common/AnswerFormat.h"
#include "tools/common/ConsoleText.h"
#include "tools/common/Description.h"
#include "tools/common/QueryOutcome.h"
#include "tools/common/ResultNames.h"
#include "tools/filedata/CommandLine.h"
#include "tools/common/Explain.h"

namespace {
using namespace filedata;
using namespace filedata::tool;

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;


// A fresh plug-in object per query, as a host creates one.
TQueryOutcome RunQuery(const std::string& params) {
  TPlugIn plugIn;
  return AskQuery(plugIn, params);
}

// Prints one outcome; returns the exit status it stands for.
int Report(const TCommandLine& command, const TQueryOutcome& outcome) {
  const bool failed = outcome.Result != hr::Ok;
  if (command.Json) WriteText(stdout, JsonText(JsonAnswer(outcome)) + "\n");
  else WriteText(failed ? stderr : stdout, PlainAnswer(outcome) + "\n");
  return failed ? kExitFailed : 0;
}

[[noreturn]] void Watch(const TCommandLine& command) {
  const auto interval = std::chrono::duration<double>(*command.WatchSeconds);
  std::string previous;
  bool first = true;
  for (;;) {
    const TQueryOutcome outcome = RunQuery(command.Params);
    const std::string shown =
        command.Json ? JsonText(JsonAnswer(outcome)) : ResultName(outcome.Result) + PlainAnswer(outcome);
    if (first || shown != previous) Report(command, outcome);
    previous = shown;
    first = false;
    std::this_thread::sleep_for(interval);
  }
}

// The steps of the query, then its answer as usual.
int PrintExplanation(const TCommandLine& command) {
  const TExplained explained = Explain(command.Params);
  WriteText(stdout, command.Json ? JsonText(JsonExplanation(explained)) + "\n" : PlainExplanation(explained));
  return Report(command, explained.Outcome);
}

// What the plug-in tells the host about itself; the last-error text is an
// object's, not the plug-in's, so it is left out.
int PrintDescription(bool json) {
  try {
    TPlugIn plugIn;
    const TDescription description = Describe(plugIn, TLastErrorQuestion::Skip);
    WriteText(stdout, json ? JsonText(JsonDescription(description)) + "\n" : PlainDescription(description));
    return 0;
  } catch (const std::exception& failure) {
    WriteText(stderr, std::string("filedata: ") + failure.what() + "\n");
    return kExitFailed;
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
    WriteText(stderr, "filedata: " + error + "\n\n" + kUsage);
    return kExitUsage;
  }
  if (command->Help) {
    WriteText(stdout, kUsage);
    return 0;
  }
  if (command->Version) {
    WriteText(stdout, "filedata " FILEDATA_VERSION_TEXT "\n");
    return 0;
  }
  if (command->Describe) return PrintDescription(command->Json);
  if (command->Explain) return PrintExplanation(*command);
  if (command->WatchSeconds) Watch(*command);
  return Report(*command, RunQuery(command->Params));
}
