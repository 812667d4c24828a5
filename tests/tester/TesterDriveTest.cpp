// The tester's window driven as a user drives it, from a program of its
// own: the built filedata-tester.exe on the built DLL, its controls found
// by their identifiers, its fields typed into, its texts read back.
// With FILEDATA_TESTER_SHOT set to a path, it waits at a full window for
// PATH.ready to be answered by PATH.done, so that a screenshot can be taken.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/ScratchFolder.h"
#include "tools/tester/TesterResources.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::filesystem::path BesideMe(const char* name) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(std::wstring(path, length)).parent_path() / name;
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }
std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (const wchar_t c : text) narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return narrow;
}

// Waits up to LIMIT for CONDITION; whether it came true.
bool Eventually(const std::function<bool()>& condition, Clock::duration limit = 10s) {
  const auto end = Clock::now() + limit;
  while (!condition()) {
    if (Clock::now() > end) return false;
    std::this_thread::sleep_for(50ms);
  }
  return true;
}

class TTesterProcess {
 public:
  explicit TTesterProcess(const std::wstring& arguments) {
    std::wstring command = L"\"" + BesideMe("filedata-tester.exe").wstring() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_)) {
      ADD_FAILURE() << "cannot start the tester: " << GetLastError();
      return;
    }
    WaitForInputIdle(process_.hProcess, 20000);
    Eventually([this] { return (window_ = FindTesterWindow()) != nullptr; }, 30s);
  }
  ~TTesterProcess() {
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (process_.hProcess) {
      if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
      CloseHandle(process_.hThread);
      CloseHandle(process_.hProcess);
    }
  }
  TTesterProcess(const TTesterProcess&) = delete;
  TTesterProcess& operator=(const TTesterProcess&) = delete;

  HWND Window() const { return window_; }
  HWND Control(int id) const { return GetDlgItem(window_, id); }
  std::string Text(int id) const {
    wchar_t text[4096] = {};
    SendMessageW(Control(id), WM_GETTEXT, sizeof text / sizeof *text, reinterpret_cast<LPARAM>(text));
    return Narrow(text);
  }
  void Type(int id, const std::string& text) const {
    const std::wstring wide = Wide(text);
    SendMessageW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }

  // The explanation's rows, "step<TAB>words", and which one is marked.
  std::vector<std::string> Rows(int& marked) const {
    const HWND list = Control(IDC_EXPLANATION);
    std::vector<std::string> rows;
    marked = -1;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::wstring row(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
      row.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row.data()))));
      rows.push_back(Narrow(row));
      if (SendMessageW(list, LB_GETITEMDATA, i, 0) == 1) marked = static_cast<int>(i);
    }
    return rows;
  }

 private:
  struct TSearch {
    DWORD process;
    HWND found;
  };
  // The tester's visible window with its title; a callback of the system's
  // own calling convention, which a lambda is not on 32-bit Windows.
  static BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<TSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    if (owner != search.process || !IsWindowVisible(window)) return TRUE;
    if (std::wstring(title).find(L"Filedata Tester") == std::wstring::npos) return TRUE;
    search.found = window;
    return FALSE;
  }
  HWND FindTesterWindow() const {
    TSearch search{process_.dwProcessId, nullptr};
    EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

// Lets a script outside take a screenshot of the window as it stands.
void OfferScreenshot() {
  const char* shot = std::getenv("FILEDATA_TESTER_SHOT");
  if (!shot || !*shot) return;
  const std::string ready = std::string(shot) + ".ready", done = std::string(shot) + ".done";
  std::ofstream(ready) << "ready\n";
  EXPECT_TRUE(Eventually([&] { return std::filesystem::exists(done); }, 30s)) << "no screenshot was taken";
}

class TesterDriveTest : public filedata::testing::ScratchFolderTest {};

TEST_F(TesterDriveTest, TheWindowReadsLiveAndExplainsWhy) {
  const std::string file = Write("reading.txt", "Sensor log\r\nTemp: 21.5 C\r\n");
  const std::string params = "FILENAME=" + file + "|LINE=2|START=7|LENGTH=4";
  const TTesterProcess tester(L"--dll \"" + BesideMe("QeltGen_Filedata.dll").wstring() + L"\" \"" + Wide(params) + L"\"");
  ASSERT_NE(tester.Window(), nullptr) << "no window titled \"Filedata Tester\"";

  // The fields come from the plug-in's tables and the parameter text from them.
  EXPECT_EQ(tester.Text(IDC_FIELD_LABEL + 0), "&Filename");
  EXPECT_EQ(tester.Text(IDC_FIELD_EDIT + 0), file);
  EXPECT_EQ(tester.Text(IDC_FIELD_EDIT + 3), "4");
  EXPECT_NE(tester.Control(IDC_FIELD_BROWSE + 0), nullptr) << "the file name's editor is a file chooser";
  EXPECT_EQ(tester.Control(IDC_FIELD_BROWSE + 1), nullptr);
  EXPECT_EQ(tester.Text(IDC_PARAMTEXT), params);
  EXPECT_TRUE(Eventually([&] { return tester.Text(IDC_VALUE) == "21.5"; })) << tester.Text(IDC_VALUE);
  EXPECT_EQ(tester.Text(IDC_STATUS), "Number, S_OK");
  EXPECT_NE(tester.Text(IDC_CHANGED).find("Last change at "), std::string::npos);
  EXPECT_EQ(tester.Text(IDC_NOTE), "") << "this build explains its readings";

  int marked = -1;
  const std::vector<std::string> rows = tester.Rows(marked);
  ASSERT_GE(rows.size(), 8u);
  EXPECT_EQ(rows.front().substr(0, 5), "pair\t");
  EXPECT_EQ(rows.back().substr(0, 7), "answer\t");
  ASSERT_GE(marked, 0);
  EXPECT_EQ(rows[static_cast<std::size_t>(marked)].substr(0, 7), "number\t") << "the number test decided it";
  OfferScreenshot();

  // A new value shows within the interval (a second).
  const auto rewritten = Clock::now();
  Write("reading.txt", "Sensor log\r\nTemp: 22.5 C\r\n");
  EXPECT_TRUE(Eventually([&] { return tester.Text(IDC_VALUE) == "22.5"; }, 5s)) << tester.Text(IDC_VALUE);
  EXPECT_LT(Clock::now() - rewritten, 3s) << "seen only after the interval";

  // An edit reads at once: a line the file lacks fails with its reason.
  tester.Type(IDC_FIELD_EDIT + 1, "9");
  EXPECT_TRUE(Eventually([&] { return tester.Text(IDC_STATUS) == "E_FAIL: List index out of bounds (8)"; }))
      << tester.Text(IDC_STATUS);
  EXPECT_EQ(tester.Text(IDC_PARAMTEXT), "FILENAME=" + file + "|LINE=9|START=7|LENGTH=4");
  EXPECT_EQ(tester.Rows(marked).at(static_cast<std::size_t>(marked)).substr(0, 5), "line\t");

  // An empty field is left out of the parameter text, as a host leaves it.
  tester.Type(IDC_FIELD_EDIT + 1, "");
  tester.Type(IDC_FIELD_EDIT + 3, "");
  EXPECT_TRUE(Eventually([&] { return tester.Text(IDC_PARAMTEXT) == "FILENAME=" + file + "|START=7"; }))
      << tester.Text(IDC_PARAMTEXT);
  EXPECT_TRUE(Eventually([&] { return tester.Text(IDC_STATUS) == "Text, S_OK"; })) << tester.Text(IDC_STATUS);
  EXPECT_EQ(tester.Text(IDC_VALUE), " log");

  // Tab goes from field to field in the order of the tables, then through
  // the tester's own controls; Escape closes the window.
  const int tabOrder[] = {IDC_FIELD_EDIT + 0, IDC_FIELD_BROWSE + 0, IDC_FIELD_EDIT + 1, IDC_FIELD_EDIT + 2,
                          IDC_FIELD_EDIT + 3, IDC_PARAMTEXT, IDC_COPY, IDC_INTERVAL, IDOK, IDC_EXPLANATION,
                          IDC_ABOUT, IDCANCEL};
  HWND at = tester.Control(tabOrder[0]);
  for (const int next : tabOrder) {
    EXPECT_EQ(GetDlgCtrlID(at), next);
    at = GetNextDlgTabItem(tester.Window(), at, FALSE);
  }
  PostMessageW(tester.Control(IDC_FIELD_EDIT + 0), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(Eventually([&] { return !IsWindow(tester.Window()); }, 5s)) << "Escape left the window open";
}

TEST_F(TesterDriveTest, AnOlderPlugInStillShowsTheValueAndSaysWhyTheStepsAreMissing) {
  const std::string file = Write("older.txt", "Temp: 21.5 C\r\n");
  const TTesterProcess tester(L"--dll \"" + BesideMe("older_plugin.dll").wstring() + L"\" \"FILENAME=" + Wide(file) +
                              L"\"");
  ASSERT_NE(tester.Window(), nullptr) << "no window titled \"Filedata Tester\"";
  EXPECT_NE(tester.Text(IDC_NOTE).find("cannot explain its readings"), std::string::npos) << tester.Text(IDC_NOTE);
  EXPECT_EQ(tester.Text(IDC_FIELD_EDIT + 0), "MyTestFile.txt") << "the fields start from the plug-in's defaults";
  tester.Type(IDC_FIELD_EDIT + 0, file);
  tester.Type(IDC_FIELD_EDIT + 3, "");
  tester.Type(IDC_FIELD_EDIT + 2, "7");
  EXPECT_TRUE(Eventually([&] { return tester.Text(IDC_VALUE) == "21.5 C"; })) << tester.Text(IDC_VALUE);
  EXPECT_EQ(tester.Text(IDC_STATUS), "Text, S_OK");
  int marked = -1;
  EXPECT_TRUE(tester.Rows(marked).empty()) << "no steps to show";
}

}  // namespace
