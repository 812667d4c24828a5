// filedata-host: loads the Filedata plug-in the way the host does and prints
// every answer it gives about itself and, when asked, its answer to a query
// or its own explanation of that answer.
#include <cstdio>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tools/common/ConsoleText.h"
#include "tools/common/Printing.h"
#include "tools/common/QueryOutcome.h"
#include "tools/plugin-host/HostCommandLine.h"
#include "tools/plugin-host/HostReport.h"
#include "tools/plugin-host/LoadedPlugIn.h"
#include "tools/plugin-host/PlugInClass.h"
#include "tools/plugin-host/PlugInLoading.h"

namespace {
using namespace filedata;
using namespace filedata::host;
using filedata::tool::WriteText;

// Comes by one plug-in object the way COMMAND says and hands it to ASK; its
// references are all released before the library is asked whether it may
// go (returned; only a library loaded by path is asked).
std::optional<HResult> WithPlugIn(const THostCommandLine& command, const std::function<void(TLoadedPlugIn&)>& ask) {
  // A host's thread has entered an apartment before it meets its plug-ins;
  // the plug-in never enters one itself.
  const TComApartment apartment;
  if (command.LoadWay == TLoadWay::ByClassId) {
    TLoadedPlugIn object(CreateRegistered(kFiledataPlugInClass));
    ask(object);
    return std::nullopt;
  }
  TPlugInLibrary library(command.DllPath);
  {
    TComRef<com::IQeltGen> main;
    {
      // Like CoCreateInstance, let go of the factory once it has made the object.
      const TComRef<IClassFactory> factory = library.ClassFactory(kFiledataPlugInClass);
      main = CreateFromFactory(*factory);
    }
    TLoadedPlugIn object(std::move(main));
    ask(object);
  }
  // Only now is nothing of the library in use, so it should say S_OK.
  return library.CanUnloadNow();
}

int PrintReport(const THostCommandLine& command) {
  THostReport report;
  report.CanUnloadNow = WithPlugIn(command, [&](TLoadedPlugIn& object) {
    report.Description = tool::Describe(object, tool::TLastErrorQuestion::Ask);
    if (command.Params) report.Query = THostQuery{*command.Params, tool::AskQuery(object, *command.Params)};
  });
  WriteText(stdout, command.Json ? JsonHostReport(report) + "\n" : PlainHostReport(report));
  if (report.Query && report.Query->Outcome.Result != hr::Ok) {
    WriteText(stderr, "filedata-host: the query failed: " + AnswerWords(report.Query->Outcome) + "\n");
    return tool::kExitFailed;
  }
  return 0;
}

// The steps and the answer; from a build without the explanation, its
// answer alone, after a line that says why.
int PrintExplanation(const THostCommandLine& command) {
  int status = 0;
  WithPlugIn(command, [&](TLoadedPlugIn& object) {
    if (object.CanExplain()) {
      status = tool::PrintExplained(tool::Explain(object, *command.Params), command.Json);
      return;
    }
    WriteText(stderr, std::string("filedata-host: ") + tool::kCannotExplain + "; its answer follows\n");
    status = tool::PrintAnswer(tool::AskQuery(object, *command.Params), command.Json);
  });
  return status;
}
}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto command = ParseHostCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!command) {
    WriteText(stderr, "filedata-host: " + error + "\n\n" + HostUsage());
    return tool::kExitUsage;
  }
  if (command->Help) {
    WriteText(stdout, HostUsage());
    return 0;
  }
  try {
    return command->Explain ? PrintExplanation(*command) : PrintReport(*command);
  } catch (const std::exception& failure) {
    WriteText(stderr, std::string("filedata-host: ") + failure.what() + "\n");
    return tool::kExitFailed;
  }
}
