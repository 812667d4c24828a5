// filedata-host: loads the Filedata plug-in the way the host does and prints
// every answer it gives about itself and, when asked, its answer to a query.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "tools/plugin-host/HostCommandLine.h"
#include "tools/plugin-host/HostReport.h"
#include "tools/plugin-host/PlugInClass.h"
#include "tools/plugin-host/PlugInLoading.h"
#include "tools/plugin-host/PlugInObject.h"

namespace {
using namespace filedata;
using namespace filedata::host;

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Everything the object answers; its references are all released on return.
void Ask(TComRef<com::IQeltGen> main, const THostCommandLine& command, THostReport& report) {
  TPlugInObject object(std::move(main));
  report.Description = tool::Describe(object, true);
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

void Write(std::FILE* stream, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}
}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto command = ParseHostCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!command) {
    std::fprintf(stderr, "filedata-host: %s\n\n%s", error.c_str(), kHostUsage);
    return kExitUsage;
  }
  if (command->Help) {
    std::fputs(kHostUsage, stdout);
    return 0;
  }
  try {
    const THostReport report = AskPlugIn(*command);
    Write(stdout, command->Json ? tool::JsonText(JsonHostReport(report)) + "\n" : PlainHostReport(report));
    if (report.Query && report.Query->Outcome.Result != hr::Ok) {
      Write(stderr, "filedata-host: the query failed: " + PlainQueryAnswer(report.Query->Outcome) + "\n");
      return kExitFailed;
    }
    return 0;
  } catch (const std::exception& failure) {
    Write(stderr, std::string("filedata-host: ") + failure.what() + "\n");
    return kExitFailed;
  }
}
