// filedata-host: loads the Filedata plug-in the way the host does and prints
// every answer it gives about itself and, when asked, its answer to a query.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "tools/common/ConsoleText.h"
#include "tools/plugin-host/HostCommandLine.h"
#include "tools/plugin-host/HostReport.h"
#include "tools/plugin-host/PlugInClass.h"
#include "tools/plugin-host/PlugInLoading.h"
#include "tools/plugin-host/LoadedPlugIn.h"

namespace {
using namespace filedata;
using namespace filedata::host;
using filedata::tool::WriteText;

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Everything the object answers; its references are all released on return.
void Ask(TComRef<com::IQeltGen> main, const THostCommandLine& command, THostReport& report) {
  TLoadedPlugIn object(std::move(main));
  report.Description = tool::Describe(object, tool::TLastErrorQuestion::Ask);
  if (command.Params) report.Query = THostQuery{*command.Params, tool::AskQuery(object, *command.Params)};
}

THostReport AskByPath(const THostCommandLine& command) {
  THostReport report;
  TPlugInLibrary library(command.DllPath);
  TComRef<com::IQeltGen> main;
  {
    // Like CoCreateInstance, let go of the factory once it has made the object.
    const TComRef<IClassFactory> factory = library.ClassFactory(kFiledataPlugInClass);
    main = CreateFromFactory(*factory);
  }
  Ask(std::move(main), command, report);
  // Only now is nothing of the library in use, so it should say S_OK.
  report.CanUnloadNow = library.CanUnloadNow();
  return report;
}

THostReport AskByClassId(const THostCommandLine& command) {
  THostReport report;
  Ask(CreateRegistered(kFiledataPlugInClass), command, report);
  return report;
}

THostReport AskPlugIn(const THostCommandLine& command) {
  // A host's thread has entered an apartment before it meets its plug-ins;
  // the plug-in never enters one itself.
  const TComApartment apartment;
  return command.LoadWay == TLoadWay::ByPath ? AskByPath(command) : AskByClassId(command);
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto command = ParseHostCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!command) {
    WriteText(stderr, "filedata-host: " + error + "\n\n" + kHostUsage);
    return kExitUsage;
  }
  if (command->Help) {
    WriteText(stdout, kHostUsage);
    return 0;
  }
  try {
    const THostReport report = AskPlugIn(*command);
    WriteText(stdout, command->Json ? tool::JsonText(JsonHostReport(report)) + "\n" : PlainHostReport(report));
    if (report.Query && report.Query->Outcome.Result != hr::Ok) {
      WriteText(stderr, "filedata-host: the query failed: " + PlainQueryAnswer(report.Query->Outcome) + "\n");
      return kExitFailed;
    }
    return 0;
  } catch (const std::exception& failure) {
    WriteText(stderr, std::string("filedata-host: ") + failure.what() + "\n");
    return kExitFailed;
  }
}
