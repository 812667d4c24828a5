// The tester's window driven as a user drives it, from a program of its
// own: the built filedata-tester.exe on the built DLL, its controls found
// by their identifiers, its fields typed into, its texts read back.
// With FILEDATA_TESTER_SHOT set to a path, it waits at a full window for
// PATH.ready to be answered by PATH.done, so that a screenshot can be taken,
// and a person's input (mouse and keys made by the X server itself, at a
// person's pace) is asked for the same way: NAME.xdo, a script of xdotool
// commands beside PATH, answered by NAME.xdo.done once it has run.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/ScratchFolder.h"
#include "tests/support/WindowsProgramFiles.h"
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

  // Clicks row ROW of the list ID, as the mouse does.
  void ClickRow(int id, int row) const {
    RECT rect{};
    SendMessageW(Control(id), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM(rect.left + 4, (rect.top + rect.bottom) / 2);
    SendMessageW(Control(id), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(Control(id), WM_LBUTTONUP, 0, at);
  }
  std::string Row(int id, int row) const {
    std::wstring text(static_cast<std::size_t>(SendMessageW(Control(id), LB_GETTEXTLEN, row, 0)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(SendMessageW(Control(id), LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()))));
    return Narrow(text);
  }
  // Keys pressed (true) and let go, as the keyboard sends them to the
  // window in front.
  void Keys(const std::vector<std::pair<WORD, bool>>& keys) const {
    for (const auto& [key, down] : keys) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = key;
      input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
      SendInput(1, &input, sizeof input);
      std::this_thread::sleep_for(50ms);
    }
  }
  // Where column COLUMN of the edit ID is drawn, in screen pixels (the X
  // server's, as Wine runs without a desktop of its own): its left edge,
  // and half way down.
  POINT ColumnPoint(int id, int column) const {
    const auto x = [&](int at) {
      return static_cast<short>(LOWORD(SendMessageW(Control(id), EM_POSFROMCHAR, static_cast<WPARAM>(at), 0)));
    };
    // Past the last character the field gives no place: a column further.
    int left = x(column);
    if (left == -1 && column >= 2) left = 2 * x(column - 1) - x(column - 2);
    RECT client{};
    GetClientRect(Control(id), &client);
    POINT point{left + 1, client.bottom / 2};
    ClientToScreen(Control(id), &point);
    return point;
  }
  POINT CenterOf(int id) const {
    RECT rect{};
    GetWindowRect(Control(id), &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  POINT RowPoint(int id, int row) const {
    RECT rect{};
    SendMessageW(Control(id), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    POINT point{rect.left + 8, (rect.top + rect.bottom) / 2};
    ClientToScreen(Control(id), &point);
    return point;
  }
  // The control that has the keyboard focus, as the tester's own thread has it.
  int Focused() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info);
    return info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0;
  }
  std::wstring WideText(int id) const {
    wchar_t text[4096] = {};
    SendMessageW(Control(id), WM_GETTEXT, sizeof text / sizeof *text, reinterpret_cast<LPARAM>(text));
    return text;
  }
  std::wstring WideRow(int id, int row) const {
    std::wstring text(static_cast<std::size_t>(SendMessageW(Control(id), LB_GETTEXTLEN, row, 0)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(SendMessageW(Control(id), LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()))));
    return text;
  }
  // Whether VALUE is shown within a while; a failure says what is shown instead.
  bool ShowsValue(const std::string& value) const {
    const bool shown = Eventually([&] { return Text(IDC_VALUE) == value; });
    if (!shown) ADD_FAILURE() << "the value is " << Text(IDC_VALUE) << ", not " << value;
    return shown;
  }
  std::pair<DWORD, DWORD> Selection(int id) const {
    DWORD start = 0, end = 0;
    SendMessageW(Control(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
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

// Lets a script outside take a screenshot of the window as it stands:
// FILEDATA_TESTER_SHOT itself, or with SUFFIX before its ".png".
void OfferScreenshot(const std::string& suffix = "") {
  const char* shot = std::getenv("FILEDATA_TESTER_SHOT");
  if (!shot || !*shot) return;
  std::string png = shot;
  if (!suffix.empty() && png.size() > 4) png.insert(png.size() - 4, suffix);
  const std::string ready = png + ".ready", done = png + ".done";
  std::ofstream(ready) << "ready\n";
  EXPECT_TRUE(Eventually([&] { return std::filesystem::exists(done); }, 30s)) << "no screenshot was taken";
}

// A person at the mouse and keyboard: each script of xdotool commands is run
// by the script that started this test, beside it, on the tester's display.
class TPerson {
 public:
  // Starts SCRIPT and returns at once: Done() waits for its end.
  void Starts(const std::string& script) {
    const char* shot = std::getenv("FILEDATA_TESTER_SHOT");
    ASSERT_TRUE(shot && *shot) << "no display to make input on (run by drive-tester.sh)";
    std::string base = shot;
    base.resize(base.size() - 4);
    path_ = base + "-input-" + std::to_string(++count_) + ".xdo";
    std::filesystem::remove(path_ + ".done");
    std::ofstream(path_ + ".part", std::ios::binary) << script;  // xdotool reads no CR
    std::filesystem::rename(path_ + ".part", path_);
  }
  void Done() {
    EXPECT_TRUE(Eventually([&] { return std::filesystem::exists(path_ + ".done"); }, 60s)) << "no input was made";
  }
  void Does(const std::string& script) {
    Starts(script);
    Done();
    std::this_thread::sleep_for(100ms);  // the tester's own turn to handle the last event
  }
  static std::string At(POINT point) {
    return "mousemove " + std::to_string(point.x) + " " + std::to_string(point.y) + "\n";
  }
  static std::string Click(POINT point) { return At(point) + "sleep 0.2\nclick 1\nsleep 0.3\n"; }
  static std::string Keys(const std::string& keys, int count) {
    std::string script;
    for (int i = 0; i < count; ++i) script += "key " + keys + "\nsleep 0.15\n";
    return script;
  }

 private:
  std::string path_;
  int count_ = 0;
};

// The decimal separator of the user's regional settings, as the plug-in reads numbers.
std::string LocalDecimal() {
  wchar_t decimal[8] = {};
  GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
  return Narrow(decimal);
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
                          IDC_LINES, IDC_LINE_TEXT, IDC_TO_END, IDC_ABOUT, IDCANCEL};
  HWND at = tester.Control(tabOrder[0]);
  for (const int next : tabOrder) {
    EXPECT_EQ(GetDlgCtrlID(at), next);
    at = GetNextDlgTabItem(tester.Window(), at, FALSE);
  }
  PostMessageW(tester.Control(IDC_FIELD_EDIT + 0), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(Eventually([&] { return !IsWindow(tester.Window()); }, 5s)) << "Escape left the window open";
}

TEST_F(TesterDriveTest, PointingAtALineAndASpanSetsTheReadingUp) {
  const std::string file = Write("log.txt", "Sensor log\r\nTemp: 42.5\r\nTemp: 43.0\r\nTemp: 100.25\r\n");
  const TTesterProcess tester(L"--dll \"" + BesideMe("QeltGen_Filedata.dll").wstring() + L"\" \"FILENAME=" +
                              Wide(file) + L"|LINE=2|START=7|LENGTH=4\"");
  ASSERT_NE(tester.Window(), nullptr) << "no window titled \"Filedata Tester\"";
  const auto valueIs = [&](const std::string& value) { return tester.ShowsValue(value); };
  ASSERT_TRUE(valueIs("42.5"));
  // The file's lines as the plug-in reads them; the reading's line and cut selected.
  EXPECT_EQ(SendMessageW(tester.Control(IDC_LINES), LB_GETCOUNT, 0, 0), 5) << "4 lines and the note past the last";
  EXPECT_EQ(tester.Row(IDC_LINES, 3), "4 | 0    Temp: 100.25");
  EXPECT_EQ(SendMessageW(tester.Control(IDC_LINES), LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(tester.Text(IDC_LINE_TEXT), "Temp: 42.5");
  EXPECT_EQ(tester.Selection(IDC_LINE_TEXT), std::make_pair(DWORD{6}, DWORD{10}));

  // A click on the last line sets LINE=0 first, as a growing log wants;
  // the same cut there is fragile.
  tester.ClickRow(IDC_LINES, 3);
  ASSERT_TRUE(valueIs("100"));
  EXPECT_EQ(tester.Text(IDC_FIELD_EDIT + 1), "0");
  EXPECT_EQ(tester.Text(IDC_LINE_TEXT), "Temp: 100.25");
  EXPECT_NE(tester.Text(IDC_ADVICE).find("fragile cut: \"100.\" is part of the number \"100.25\""), std::string::npos)
      << tester.Text(IDC_ADVICE);
  EXPECT_EQ(tester.Text(IDC_STURDIER), "&Use START=7 LENGTH=-1");
  EXPECT_TRUE(IsWindowEnabled(tester.Control(IDC_FROM_END))) << "the last line can be counted from the end";
  OfferScreenshot("-pick");

  // The offered cut, and counting from the end.
  SendMessageW(tester.Control(IDC_STURDIER), BM_CLICK, 0, 0);
  ASSERT_TRUE(valueIs("100.25"));
  EXPECT_EQ(tester.Text(IDC_FIELD_EDIT + 3), "-1");
  EXPECT_FALSE(IsWindowVisible(tester.Control(IDC_STURDIER)));
  EXPECT_NE(tester.Text(IDC_PICK_NOTE).find("LINE=0 follows the last line"), std::string::npos);
  SendMessageW(tester.Control(IDC_FROM_END), BM_CLICK, 0, 0);
  EXPECT_TRUE(Eventually([&] { return tester.Text(IDC_FIELD_EDIT + 1) == "4"; })) << tester.Text(IDC_FIELD_EDIT + 1);
  SendMessageW(tester.Control(IDC_FROM_END), BM_CLICK, 0, 0);
  EXPECT_TRUE(Eventually([&] { return tester.Text(IDC_FIELD_EDIT + 1) == "0"; })) << tester.Text(IDC_FIELD_EDIT + 1);

  // A span the program selects is no choice; one dragged with the mouse
  // sets START and LENGTH; to the end, LENGTH=-1.
  SendMessageW(tester.Control(IDC_LINE_TEXT), EM_SETSEL, 0, 4);
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(tester.Text(IDC_FIELD_EDIT + 3), "-1");
  TPerson person;
  const auto drag = [&](int from, int to) {
    person.Does(TPerson::At(tester.ColumnPoint(IDC_LINE_TEXT, from)) + "mousedown 1\nsleep 0.2\n" +
                TPerson::At(tester.ColumnPoint(IDC_LINE_TEXT, to)) + "sleep 0.2\nmouseup 1\n");
  };
  drag(0, 4);
  ASSERT_TRUE(valueIs("Temp"));
  EXPECT_EQ(tester.Text(IDC_PARAMTEXT), "FILENAME=" + file + "|LINE=0|START=1|LENGTH=4");
  drag(10, 12);
  ASSERT_TRUE(valueIs("25"));
  EXPECT_EQ(tester.Text(IDC_PARAMTEXT), "FILENAME=" + file + "|LINE=0|START=11|LENGTH=-1");
  EXPECT_NE(tester.Text(IDC_ADVICE).find("fragile cut"), std::string::npos);

  // A field typed moves the selections back.
  tester.Type(IDC_FIELD_EDIT + 1, "3");
  tester.Type(IDC_FIELD_EDIT + 2, "1");
  tester.Type(IDC_FIELD_EDIT + 3, "4");
  ASSERT_TRUE(valueIs("Temp"));
  EXPECT_EQ(SendMessageW(tester.Control(IDC_LINES), LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(tester.Selection(IDC_LINE_TEXT), std::make_pair(DWORD{0}, DWORD{4}));

  // The keyboard does the same: Shift+End in the line, Up in the list.
  SetForegroundWindow(tester.Window());
  SendMessageW(tester.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tester.Control(IDC_LINE_TEXT)), TRUE);
  tester.Keys({{VK_SHIFT, true}, {VK_END, true}, {VK_END, false}, {VK_SHIFT, false}});
  ASSERT_TRUE(valueIs("Temp: 43.0"));
  EXPECT_EQ(tester.Text(IDC_FIELD_EDIT + 3), "-1");
  SendMessageW(tester.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tester.Control(IDC_LINES)), TRUE);
  tester.Keys({{VK_UP, true}, {VK_UP, false}});
  EXPECT_TRUE(Eventually([&] { return tester.Text(IDC_FIELD_EDIT + 1) == "2"; })) << tester.Text(IDC_FIELD_EDIT + 1);

  // A file as PowerShell writes it, UTF-16LE with its mark: the line decoded,
  // a column a byte of the plug-in's text.
  tester.Type(IDC_FIELD_EDIT + 0, Write("ps.txt", filedata::testing::Utf16(u"Temp: 21.5 \u00B0C\r\n")));
  tester.Type(IDC_FIELD_EDIT + 1, "1");
  ASSERT_TRUE(valueIs("Temp: 21.5 ?C"));
  EXPECT_NE(tester.Text(IDC_FILE_NOTES).find("UTF-16LE"), std::string::npos) << tester.Text(IDC_FILE_NOTES);
  drag(6, 10);
  ASSERT_TRUE(valueIs("21.5"));
  EXPECT_EQ(tester.Text(IDC_FIELD_EDIT + 2), "7");
  EXPECT_EQ(tester.Text(IDC_FIELD_EDIT + 3), "4");
}

// Run under a comma locale (drive-tester.sh): a person at a person's pace,
// readings on the timer all along, the value in the user's own form.
TEST_F(TesterDriveTest, APersonsChoiceIsTheirs) {
  const std::string decimal = LocalDecimal();
  // The last number's whole part and its fraction; the numbers of one
  // width, so that a cut can read each of them whole.
  const auto log = [&](const char* whole, const char* fraction) {
    return "Sensor log\r\nTemp: 142" + decimal + "50 C\r\nTemp: 143" + decimal + "00 C\r\nTemp: " + whole + decimal +
           fraction + " C\r\n";
  };
  const std::string file = Write("log.txt", log("100", "25"));
  const TTesterProcess tester(L"--dll \"" + BesideMe("QeltGen_Filedata.dll").wstring() + L"\" \"FILENAME=" +
                              Wide(file) + L"|LINE=2|START=7|LENGTH=6\"");
  ASSERT_NE(tester.Window(), nullptr) << "no window titled \"Filedata Tester\"";
  const auto valueIs = [&](const std::string& value) { return tester.ShowsValue(value); };
  ASSERT_TRUE(valueIs("142" + decimal + "5"));
  if (decimal != ".") {
    EXPECT_NE(tester.Text(IDC_STATUS).find("The plug-in hands the host 142.5"), std::string::npos)
        << tester.Text(IDC_STATUS);
    int marked = -1;
    EXPECT_NE(tester.Rows(marked).back().find("shown above as 142" + decimal + "5"), std::string::npos)
        << tester.Rows(marked).back();
  }
  EXPECT_EQ(tester.Text(IDC_PARAMTEXT), "FILENAME=" + file + "|LINE=2|START=7|LENGTH=6") << "the plug-in's own form";
  TPerson person;

  // A click on the last line offers LINE=0 first.
  tester.Type(IDC_FIELD_EDIT + 3, "4");
  person.Does(TPerson::Click(tester.RowPoint(IDC_LINES, 3)));
  EXPECT_TRUE(Eventually([&] { return tester.Text(IDC_FIELD_EDIT + 1) == "0"; })) << tester.Text(IDC_FIELD_EDIT + 1);
  ASSERT_TRUE(valueIs("100"));
  EXPECT_TRUE(Eventually([&] { return IsWindowVisible(tester.Control(IDC_STURDIER)) != FALSE; })) << "a fragile cut";
  const RECT lineBefore = [&] {
    RECT rect{};
    GetWindowRect(tester.Control(IDC_LINE_TEXT), &rect);
    return rect;
  }();

  // A drag over "100,25", from its end back to its start, that lasts three
  // readings; the file changes on the way. The value follows the file, the
  // selection the mouse (a reading that selected its cut would move the
  // drag's anchor to the cut's start).
  std::string drag = TPerson::At(tester.ColumnPoint(IDC_LINE_TEXT, 12)) + "mousedown 1\n";
  for (int column = 11; column >= 6; --column) {
    drag += "sleep 0.6\n" + TPerson::At(tester.ColumnPoint(IDC_LINE_TEXT, column));
  }
  person.Starts(drag + "sleep 0.6\nmouseup 1\n");
  std::this_thread::sleep_for(1500ms);
  Write("log.txt", log("101", "75"));
  EXPECT_TRUE(Eventually([&] { return tester.Text(IDC_VALUE) == "101"; }, 2s)) << "no reading while the mouse is held";
  EXPECT_EQ(tester.Text(IDC_FIELD_EDIT + 3), "4") << "no field changes while the mouse is held";
  person.Done();
  ASSERT_TRUE(valueIs("101" + decimal + "75"));
  EXPECT_EQ(tester.Text(IDC_PARAMTEXT), "FILENAME=" + file + "|LINE=0|START=7|LENGTH=6");
  RECT lineAfter{};
  GetWindowRect(tester.Control(IDC_LINE_TEXT), &lineAfter);
  EXPECT_TRUE(EqualRect(&lineBefore, &lineAfter)) << "the line moved when the advice went";
  EXPECT_FALSE(IsWindowVisible(tester.Control(IDC_STURDIER)));

  // A reading whose line reads anew shows the same cut in it again.
  Write("log.txt", log("100", "50"));
  ASSERT_TRUE(valueIs("100" + decimal + "5"));
  EXPECT_EQ(tester.Selection(IDC_LINE_TEXT), std::make_pair(DWORD{6}, DWORD{12}));

  // Shift+Right at a person's pace, from a click: readings come between the keys.
  person.Does(TPerson::Click(tester.ColumnPoint(IDC_LINE_TEXT, 0)));
  std::this_thread::sleep_for(1200ms);
  EXPECT_EQ(tester.Selection(IDC_LINE_TEXT), std::make_pair(DWORD{0}, DWORD{0})) << "a reading moved the caret";
  EXPECT_EQ(tester.Text(IDC_FIELD_EDIT + 2), "7") << "a click is no choice";
  person.Does("keydown shift\n" + TPerson::Keys("Right", 4) + "sleep 1.2\n" + TPerson::Keys("Right", 2) +
              "keyup shift\n");
  ASSERT_TRUE(valueIs("Temp: "));
  EXPECT_EQ(tester.Text(IDC_PARAMTEXT), "FILENAME=" + file + "|LINE=0|START=1|LENGTH=6");

  // Tab through every control: focus is no choice, no field changes.
  person.Does(TPerson::Click(tester.CenterOf(IDC_FIELD_EDIT + 0)));
  const std::string params = tester.Text(IDC_PARAMTEXT);
  const int tabOrder[] = {IDC_FIELD_BROWSE + 0, IDC_FIELD_EDIT + 1, IDC_FIELD_EDIT + 2, IDC_FIELD_EDIT + 3,
                          IDC_PARAMTEXT, IDC_COPY, IDC_INTERVAL, IDOK, IDC_EXPLANATION, IDC_LINES, IDC_LINE_TEXT,
                          IDC_FROM_END, IDC_TO_END, IDC_ABOUT, IDCANCEL, IDC_FIELD_EDIT + 0};
  for (const int next : tabOrder) {
    person.Does(TPerson::Keys("Tab", 1));
    EXPECT_TRUE(Eventually([&] { return tester.Focused() == next; }, 2s)) << "after Tab: " << tester.Focused();
    EXPECT_EQ(tester.Text(IDC_PARAMTEXT), params) << "Tab into " << next;
    if (next == IDC_LINE_TEXT) {
      EXPECT_EQ(tester.Selection(IDC_LINE_TEXT), std::make_pair(DWORD{0}, DWORD{6})) << "Tab selected all";
    }
  }

  // The offered cut, then typing: the keys go where the focus went, which
  // is no field.
  tester.Type(IDC_FIELD_EDIT + 2, "7");
  tester.Type(IDC_FIELD_EDIT + 3, "4");
  ASSERT_TRUE(Eventually([&] { return IsWindowVisible(tester.Control(IDC_STURDIER)) != FALSE; }));
  EXPECT_EQ(tester.Text(IDC_STURDIER), "&Use START=7 LENGTH=6");
  person.Does(TPerson::Click(tester.CenterOf(IDC_STURDIER)) + "type --delay 150 abc\n");
  ASSERT_TRUE(valueIs("100" + decimal + "5"));
  EXPECT_EQ(tester.Text(IDC_PARAMTEXT), "FILENAME=" + file + "|LINE=0|START=7|LENGTH=6");
  EXPECT_EQ(tester.Focused(), IDC_LINE_TEXT);
  OfferScreenshot("-person");
}

// Run under code page 932 (drive-tester.sh): a line of double-byte
// characters, whose second bytes may look like ASCII.
TEST_F(TesterDriveTest, DoubleByteCharactersStayWhole) {
  if (GetACP() != 932) GTEST_SKIP() << "needs code page 932; the ANSI code page is " << GetACP();
  // "温度: 21.5" in code page 932: 温 is 89 B7, 度 is 93 78 ("x" as its second byte).
  const std::string file = Write("jp.txt", "\x89\xB7\x93\x78: 21.5\r\n");
  const TTesterProcess tester(L"--dll \"" + BesideMe("QeltGen_Filedata.dll").wstring() + L"\" \"FILENAME=" +
                              Wide(file) + L"|LINE=1|START=2|LENGTH=2\"");
  ASSERT_NE(tester.Window(), nullptr) << "no window titled \"Filedata Tester\"";
  EXPECT_TRUE(Eventually([&] { return tester.WideText(IDC_LINE_TEXT) == L"\u6E29\u5EA6: 21.5"; }));
  EXPECT_EQ(tester.Selection(IDC_LINE_TEXT), std::make_pair(DWORD{0}, DWORD{2}))
      << "a cut of bytes 2-3 touches both characters";
  TPerson person;
  person.Does(TPerson::Click(tester.ColumnPoint(IDC_LINE_TEXT, 1)) + "keydown shift\n" + TPerson::Keys("Right", 1) +
              "keyup shift\n");
  EXPECT_TRUE(Eventually([&] { return tester.Text(IDC_PARAMTEXT).find("|START=3|LENGTH=2") != std::string::npos; }))
      << tester.Text(IDC_PARAMTEXT);
  EXPECT_TRUE(Eventually([&] { return tester.WideText(IDC_VALUE) == L"\u5EA6"; }));
  tester.Type(IDC_FIELD_EDIT + 2, "1");
  tester.Type(IDC_FIELD_EDIT + 3, "");
  EXPECT_TRUE(Eventually([&] { return tester.WideText(IDC_VALUE) == L"\u6E29\u5EA6: 21.5"; }));
  int marked = -1;
  const std::vector<std::string> rows = tester.Rows(marked);
  ASSERT_GE(marked, 0);
  const std::wstring number = tester.WideRow(IDC_EXPLANATION, marked);
  EXPECT_NE(number.find(L"\"\u6E29\""), std::wstring::npos) << "the whole character is quoted: " << rows[marked];
  OfferScreenshot("-932");
}

TEST_F(TesterDriveTest, AGigabyteFileShowsTheLinesThePlugInReads) {
  // Rows at both ends of a hole of zeros: the first zero ends the text, so
  // the rows after the hole are never read, and the last row before it is
  // the one LINE=0 answers with.
  const auto rows = [](const char* name, int count) {
    std::string lines;
    for (int i = 1; i <= count; ++i) lines += name + std::to_string(i) + "\r\n";
    return lines;
  };
  const std::uint64_t size = 1ull << 30;
  const std::string start = rows("row ", 40000), end = rows("end ", 30000);
  const std::string file = WriteSparse("big.txt", start, size);
  {
    std::fstream out(file, std::ios::binary | std::ios::in | std::ios::out);
    out.seekp(static_cast<std::streamoff>(size - end.size()));
    out << end;
  }
  const TTesterProcess tester(L"--dll \"" + BesideMe("QeltGen_Filedata.dll").wstring() + L"\" \"FILENAME=" +
                              Wide(file) + L"|LINE=2\"");
  ASSERT_NE(tester.Window(), nullptr) << "no window titled \"Filedata Tester\"";
  EXPECT_TRUE(Eventually([&] { return tester.Text(IDC_VALUE) == "row 2"; })) << tester.Text(IDC_VALUE);
  ASSERT_EQ(SendMessageW(tester.Control(IDC_LINES), LB_GETCOUNT, 0, 0), 100 + 1 + 100 + 2)
      << "the first lines, the lines left out, the last lines before the zero, the zero, the note past them";
  EXPECT_EQ(tester.Row(IDC_LINES, 0), "1        row 1");
  EXPECT_NE(tester.Row(IDC_LINES, 100).find("lines 101-39900 are not listed"), std::string::npos)
      << tester.Row(IDC_LINES, 100);
  EXPECT_EQ(tester.Row(IDC_LINES, 101), "39901    row 39901");
  EXPECT_EQ(tester.Row(IDC_LINES, 200), "40000 | 0 row 40000") << "the line LINE=0 answers with";
  const std::string zero = "a zero byte at byte " + std::to_string(start.size() + 1) + " ends the text";
  EXPECT_NE(tester.Row(IDC_LINES, 201).find(zero), std::string::npos) << tester.Row(IDC_LINES, 201);
  EXPECT_NE(tester.Text(IDC_FILE_NOTES).find(zero), std::string::npos) << tester.Text(IDC_FILE_NOTES);
  EXPECT_NE(tester.Text(IDC_FILE_NOTES).find("the text has 40000 lines"), std::string::npos);

  // LINE=0 answers with the last row before the zero, listed as such.
  tester.Type(IDC_FIELD_EDIT + 1, "0");
  EXPECT_TRUE(Eventually([&] { return tester.Text(IDC_VALUE) == "row 40000"; })) << tester.Text(IDC_VALUE);
  EXPECT_EQ(SendMessageW(tester.Control(IDC_LINES), LB_GETCURSEL, 0, 0), 200);
  EXPECT_EQ(tester.Text(IDC_LINE_TEXT), "row 40000");
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
  EXPECT_NE(tester.Text(IDC_FILE_NOTES).find("cannot show the file's lines"), std::string::npos);

  // The build before the file view: the steps, but no lines.
  SetEnvironmentVariableW(L"FILEDATA_OLDER_EXPLAINS", L"1");
  const TTesterProcess explaining(L"--dll \"" + BesideMe("older_plugin.dll").wstring() + L"\" \"FILENAME=" +
                                  Wide(file) + L"|START=7|LENGTH=4\"");
  SetEnvironmentVariableW(L"FILEDATA_OLDER_EXPLAINS", nullptr);
  ASSERT_NE(explaining.Window(), nullptr) << "no window titled \"Filedata Tester\"";
  EXPECT_TRUE(Eventually([&] { return explaining.Text(IDC_VALUE) == "21.5"; })) << explaining.Text(IDC_VALUE);
  EXPECT_FALSE(explaining.Rows(marked).empty());
  EXPECT_EQ(explaining.Text(IDC_NOTE), "");
  EXPECT_NE(explaining.Text(IDC_FILE_NOTES).find("cannot show the file's lines"), std::string::npos);
  EXPECT_EQ(SendMessageW(explaining.Control(IDC_LINES), LB_GETCOUNT, 0, 0), 0);
}

}  // namespace
