// Both tools on a real console, under a display (the console needs one):
// the plug-in's ANSI text shows as the host shows it, whatever the
// console's own code page; redirected, the bytes go out unchanged.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tools/common/ConsoleText.h"

namespace {

std::string BesideMe(const char* program) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return (std::filesystem::path(std::string(path, length)).parent_path() / program).string();
}

// Runs COMMAND with its standard output and error on OUT; its exit code.
DWORD RunWithOutput(std::string command, HANDLE out) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = out;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    ADD_FAILURE() << "cannot start " << command << ": " << GetLastError();
    return 0xFFFFFFFF;
  }
  WaitForSingleObject(process.hProcess, 60000);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

// A console of this process's own, whose screen a test reads back.
class ConsoleTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FreeConsole();
    ASSERT_TRUE(AllocConsole()) << GetLastError();
    // A console on Windows starts in the OEM code page (437, 850): 0xE9
    // there is not "é". Wine's starts in the ANSI one, which would hide that.
    ASSERT_TRUE(SetConsoleOutputCP(GetOEMCP()));
    ASSERT_NE(GetConsoleOutputCP(), GetACP());
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    screen_ = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                          OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(screen_, INVALID_HANDLE_VALUE);
    std::ofstream(file_, std::ios::binary) << "caf\xE9 42\r\n";  // code page 1252, as Notepad's ANSI writes it
  }
  void TearDown() override {
    CloseHandle(screen_);
    FreeConsole();
    std::filesystem::remove(file_);
  }

  // What COMMAND shows on a cleared console, row after row.
  std::wstring Shown(const std::string& command) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    EXPECT_TRUE(GetConsoleScreenBufferInfo(screen_, &info));
    const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    const COORD origin{0, 0};
    DWORD done = 0;
    FillConsoleOutputCharacterW(screen_, L' ', cells, origin, &done);
    SetConsoleCursorPosition(screen_, origin);
    EXPECT_EQ(RunWithOutput(command, screen_), 0u) << command;
    std::wstring shown(cells, L' ');
    EXPECT_TRUE(ReadConsoleOutputCharacterW(screen_, shown.data(), cells, origin, &done));
    return shown.substr(0, shown.find_last_not_of(L' ') + 1);
  }

  std::string Query() const { return "\"FILENAME=" + file_.string() + "\""; }

  HANDLE screen_ = INVALID_HANDLE_VALUE;
  std::filesystem::path file_ = std::filesystem::temp_directory_path() / "filedata-console.txt";
};

TEST_F(ConsoleTextTest, TheToolsShowTheAnsiTextOnAConsole) {
  ASSERT_EQ(GetACP(), 1252u) << "the file is written in code page 1252";
  EXPECT_EQ(Shown("\"" + BesideMe("filedata.exe") + "\" " + Query()), L"caf\u00E9 42");
  const std::wstring host =
      Shown("\"" + BesideMe("filedata-host.exe") + "\" --dll \"" + BesideMe("QeltGen_Filedata.dll") + "\" " + Query());
  EXPECT_NE(host.find(L"caf\u00E9 42"), std::wstring::npos) << "filedata-host shows " << ::testing::PrintToString(host);
}

// Wine's C library already turns ANSI bytes into wide text on a console,
// which Windows' does not; so the writer is also held to the console itself:
// the bytes must reach it, converted, not go to the C library's stream.
TEST_F(ConsoleTextTest, TheWriterConvertsForTheConsoleItself) {
  const HANDLE before = GetStdHandle(STD_OUTPUT_HANDLE);
  SetStdHandle(STD_OUTPUT_HANDLE, screen_);
  const COORD origin{0, 0};
  DWORD done = 0;
  FillConsoleOutputCharacterW(screen_, L' ', 80, origin, &done);
  SetConsoleCursorPosition(screen_, origin);
  filedata::tool::WriteText(stdout, "caf\xE9 42\n");
  SetStdHandle(STD_OUTPUT_HANDLE, before);
  wchar_t row[8] = {};
  ASSERT_TRUE(ReadConsoleOutputCharacterW(screen_, row, 7, origin, &done));
  EXPECT_EQ(std::wstring(row, done), L"caf\u00E9 42");
}

TEST_F(ConsoleTextTest, RedirectedOutputKeepsTheBytes) {
  const auto redirected = std::filesystem::temp_directory_path() / "filedata-console-out.txt";
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  const HANDLE out = CreateFileA(redirected.string().c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(out, INVALID_HANDLE_VALUE);
  EXPECT_EQ(RunWithOutput("\"" + BesideMe("filedata.exe") + "\" " + Query(), out), 0u);
  CloseHandle(out);
  std::ifstream in(redirected, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, "caf\xE9 42\r\n");  // the C library's text mode, as ever
  in.close();
  std::filesystem::remove(redirected);
}

}  // namespace
