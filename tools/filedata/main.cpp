// filedata: runs the plug-in's data query from the command line.
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "FiledataVersion.h"
#include "explain/AnswerWords.h"
#include "plugin/PlugIn.h"
#include "query/DecimalSeparator.h"
#include "query/X87.h"
#include "tools/common/ConsoleText.h"
#include "tools/common/Description.h"
#include "tools/common/Explain.h"
#include "tools/common/Printing.h"
#include "tools/common/QueryOutcome.h"
#include "tools/filedata/CommandLine.h"

namespace {
using namespace filedata;
using namespace filedata::tool;

// A fresh plug-in object per query, as a host creates one.
TQueryOutcome RunQuery(const std::string& params) {
  TPlugIn plugIn;
  return AskQuery(plugIn, params);
}

[[noreturn]] void Watch(const TCommandLine& command) {
  const auto interval = std::chrono::duration<double>(*command.WatchSeconds);
  std::string previous;
  bool first = true;
  for (;;) {
    const TQueryOutcome outcome = RunQuery(command.Params);
    const std::string shown = AnswerWords(outcome);
    if (first || shown != previous) PrintAnswer(outcome, command.Json);
    previous = shown;
    first = false;
    std::this_thread::sleep_for(interval);
  }
}

// The steps of the query, as the plug-in object explains them, then its
// answer as usual.
int PrintExplanation(const TCommandLine& command) {
  try {
    TPlugIn plugIn;
    return PrintExplained(Explain(plugIn, command.Params), command.Json);
  } catch (const std::exception& failure) {
    WriteText(stderr, std::string("filedata: ") + failure.what() + "\n");
    return kExitFailed;
  }
}

// What the plug-in tells the host about itself; the last-error text is an
// object's, not the plug-in's, so it is left out.
int PrintDescription(bool json) {
  try {
    TPlugIn plugIn;
    const TDescription description = Describe(plugIn, TLastErrorQuestion::Skip);
    WriteText(stdout, json ? JsonDescription(description) + "\n" : PlainDescription(description));
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
    WriteText(stderr, "filedata: " + error + "\n\n" + Usage());
    return kExitUsage;
  }
  if (command->Help) {
    WriteText(stdout, Usage());
    return 0;
  }
  if (command->Version) {
    WriteText(stdout, "filedata " FILEDATA_VERSION_TEXT "\n");
    return 0;
  }
  if (command->Describe) return PrintDescription(command->Json);
  if (command->Explain) return PrintExplanation(*command);
  if (command->WatchSeconds) Watch(*command);
  return PrintAnswer(RunQuery(command->Params), command->Json);
}
