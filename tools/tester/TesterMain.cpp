// filedata-tester: a window to set up a Filedata reading and watch it live.
// It comes by the plug-in as the host does (the registered class, or a DLL
// by its path), fills its fields from the plug-in's own parameter tables
// and shows each reading with the steps the plug-in itself took.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "tools/common/Description.h"
#include "tools/plugin-host/LoadedPlugIn.h"
#include "tools/plugin-host/PlugInClass.h"
#include "tools/plugin-host/PlugInLoading.h"
#include "tools/tester/TesterWindow.h"
#include "tools/common/win32/WideText.h"

namespace {
using namespace filedata;
using namespace filedata::tester;
using filedata::tool::Ansi;
using filedata::tool::Wide;

constexpr wchar_t kCaption[] = L"Filedata Tester";

std::vector<std::string> Arguments() {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(Ansi(wide[i]));
  LocalFree(wide);
  return args;
}

// The plug-in DLL beside the tester, as the release puts it there.
std::wstring DllBesideMe() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  folder.resize(folder.find_last_of(L'\\') + 1);
  return folder + L"QeltGen_Filedata.dll";
}

void SayNotRegistered() {
  const std::wstring dll = DllBesideMe();
  const std::wstring text =
      L"The Filedata plug-in is not registered on this computer, so the tester cannot create it the way the host "
      L"does.\n\nTo register it, run this in a command prompt opened as administrator:\n    regsvr32 \"" +
      dll +
      L"\"\n(on 64-bit Windows the 32-bit plug-in is registered with %SystemRoot%\\SysWOW64\\regsvr32.exe)\n\n"
      L"Or try the plug-in without registering it:\n    filedata-tester --dll \"" +
      dll + L"\"";
  MessageBoxW(nullptr, text.c_str(), kCaption, MB_OK | MB_ICONINFORMATION);
}

int RunTester(HINSTANCE instance, const TTesterCommandLine& command) {
  const host::TComApartment apartment;
  // Declared first, so that it is freed last: after every reference into it.
  std::optional<host::TPlugInLibrary> library;
  host::TComRef<com::IQeltGen> main;
  if (command.DllPath) {
    library.emplace(*command.DllPath);
    main = host::CreateFromFactory(*library->ClassFactory(host::kFiledataPlugInClass));
  } else {
    main = host::CreateRegistered(host::kFiledataPlugInClass);
  }
  host::TLoadedPlugIn plugIn(std::move(main));
  TTesterWindow window(plugIn, tool::Describe(plugIn, tool::TLastErrorQuestion::Skip), command.Params);
  window.Run(instance);
  return 0;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS |
                                                                        ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);

  std::string error;
  const auto command = ParseTesterCommandLine(Arguments(), error);
  if (!command || command->Help) {
    const std::wstring text = (command ? L"" : Wide(error) + L"\n\n") + Wide(TesterUsage());
    MessageBoxW(nullptr, text.c_str(), kCaption, MB_OK | (command ? MB_ICONINFORMATION : MB_ICONWARNING));
    return command ? 0 : 2;
  }
  try {
    return RunTester(instance, *command);
  } catch (const host::EClassNotRegistered&) {
    SayNotRegistered();
  } catch (const std::exception& failure) {
    MessageBoxW(nullptr, (L"The tester could not start: " + Wide(failure.what())).c_str(), kCaption,
                MB_OK | MB_ICONERROR);
  }
  return 1;
}
