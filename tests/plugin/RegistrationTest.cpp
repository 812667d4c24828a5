// Self-registration of the built library through regsvr32, the entries read
// back from the registry, and creation through the COM runtime afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "com/QeltEditorSupportInterface.h"
#include "com/QeltGenInterface.h"
#include "tests/plugin/PlugInDll.h"

namespace filedata::plugintest {
namespace {

constexpr char kAbsent[] = "<absent>";
constexpr DWORD kNotRun = 0xFFFFFFFF;
const std::string kClassKey = std::string("CLSID\\") + kClassText;
const std::string kServerKey = kClassKey + "\\InprocServer32";

std::string ProgIdOf(const std::string& baseName) { return baseName + ".FileData"; }

// regsvr32 in a child process, silent; its exit code.
DWORD RunRegsvr32(const std::string& library, bool unregister = false) {
  std::string commandLine = std::string("regsvr32.exe /s ") + (unregister ? "/u " : "") + "\"" + library + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return kNotRun;
  }
  DWORD exitCode = kNotRun;
  if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode;
}

bool KeyExists(const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

// A REG_SZ value under HKEY_CLASSES_ROOT; null VALUENAME is the default value.
std::string ReadValue(const std::string& key, const char* valueName) {
  char buffer[1024];
  DWORD size = sizeof buffer;
  return RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), valueName, RRF_RT_REG_SZ, nullptr, buffer, &size) ==
                 ERROR_SUCCESS
             ? std::string(buffer)
             : kAbsent;
}

std::string LongPath(const std::string& path) {
  char buffer[MAX_PATH];
  const DWORD length = GetLongPathNameA(path.c_str(), buffer, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(buffer, length) : path;
}

std::string ShortPath(const std::string& path) {
  char buffer[MAX_PATH];
  const DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(buffer, length) : path;
}

struct TEntry {
  std::string key;
  const char* valueName;  // null: the key's default value
  std::string text;
};

// The six values a library registered under BASENAME at LIBRARYPATH leaves.
std::vector<TEntry> EntriesOf(const std::string& libraryPath, const std::string& baseName) {
  const std::string progId = ProgIdOf(baseName);
  return {
      {kClassKey, nullptr, kDescription},
      {kServerKey, nullptr, libraryPath},
      {kServerKey, "ThreadingModel", "Apartment"},
      {kClassKey + "\\ProgID", nullptr, progId},
      {progId, nullptr, kDescription},
      {progId + "\\Clsid", nullptr, kClassText},
  };
}

void ExpectEntries(const std::vector<TEntry>& entries) {
  for (const TEntry& entry : entries) {
    EXPECT_EQ(ReadValue(entry.key, entry.valueName), entry.text)
        << entry.key << " : " << (entry.valueName ? entry.valueName : "(default)");
  }
}

class RegistrationTest : public ::testing::Test {
 protected:
  // Whatever a test left or found, its entries go.
  void SetUp() override {
    RemoveEntries();
    ASSERT_FALSE(KeyExists(kClassKey));
  }
  void TearDown() override { RemoveEntries(); }

  static void RemoveEntries() {
    for (const std::string& key : {kClassKey, ProgIdOf("QeltGen_Filedata"), ProgIdOf(kOtherBaseName)}) {
      RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str());
    }
  }

  static constexpr char kOtherBaseName[] = "Other_Name";
  const std::string library_ = BuiltLibraryPath();
};

TEST_F(RegistrationTest, RegistersTheSixValuesAndUnregistersThemAll) {
  const std::vector<TEntry> entries = EntriesOf(LongPath(library_), "QeltGen_Filedata");
  ASSERT_EQ(RunRegsvr32(library_), 0u);
  ExpectEntries(entries);
  ASSERT_EQ(RunRegsvr32(library_), 0u) << "registering again";
  ExpectEntries(entries);

  ASSERT_EQ(RunRegsvr32(library_, true), 0u);
  for (const TEntry& entry : entries) EXPECT_FALSE(KeyExists(entry.key)) << entry.key;
  EXPECT_EQ(RunRegsvr32(library_, true), 0u) << "unregistering with nothing registered";
}

TEST_F(RegistrationTest, RegistersTheLongPathWhicheverPathLoadedIt) {
  const std::string shortPath = ShortPath(library_);
  ASSERT_NE(shortPath, LongPath(library_)) << "the library's name has no short form to load it by";
  ASSERT_EQ(RunRegsvr32(shortPath), 0u);
  EXPECT_EQ(ReadValue(kServerKey, nullptr), LongPath(library_));
}

TEST_F(RegistrationTest, ACopyUnderAnotherNameRegistersAndRemovesItsOwnProgId) {
  const TScratchFolder folder("filedata-copy");
  const std::string copy = folder.PathOf(std::string(kOtherBaseName) + ".dll");
  std::filesystem::copy_file(library_, copy);
  ASSERT_EQ(RunRegsvr32(library_), 0u);
  ASSERT_EQ(RunRegsvr32(copy), 0u);
  ExpectEntries(EntriesOf(LongPath(copy), kOtherBaseName));

  ASSERT_EQ(RunRegsvr32(copy, true), 0u);
  EXPECT_FALSE(KeyExists(ProgIdOf(kOtherBaseName)));
  EXPECT_FALSE(KeyExists(kClassKey));
  // The shipped name's ProgID is not the copy's to remove.
  EXPECT_EQ(ReadValue(ProgIdOf("QeltGen_Filedata") + "\\Clsid", nullptr), kClassText);
}

TEST_F(RegistrationTest, AFolderWithASpaceRegistersTheShortPath) {
  const TScratchFolder folder("filedata plug in");
  const std::string copy = folder.PathOf(kLibraryFileName);
  std::filesystem::copy_file(library_, copy);
  const std::string shortPath = ShortPath(copy);
  ASSERT_EQ(shortPath.find(' '), std::string::npos) << "no short form for " << copy;

  ASSERT_EQ(RunRegsvr32(copy), 0u);
  ExpectEntries(EntriesOf(shortPath, "QeltGen_Filedata"));
  ASSERT_EQ(RunRegsvr32(copy, true), 0u);
  EXPECT_FALSE(KeyExists(kClassKey));
}

TEST_F(RegistrationTest, TheComRuntimeCreatesTheRegisteredClass) {
  ASSERT_EQ(RunRegsvr32(library_), 0u);
  {
    const TApartment apartment;
    ASSERT_EQ(apartment.Result(), S_OK);
    TComRef<com::IQeltGen> gen;
    ASSERT_EQ(CoCreateInstance(CLSID_FileData, nullptr, CLSCTX_INPROC_SERVER, com::IID_IQeltGen, gen.OutVoid()), S_OK);
    ASSERT_TRUE(gen);
    const char* name = nullptr;
    EXPECT_EQ(gen->GetName(&name), S_OK);
    EXPECT_STREQ(name, "Filedata");
    WORD version = 0;
    EXPECT_EQ(gen->GetVersionB(&version), S_OK);
    EXPECT_EQ(version, 500);
    const TComRef<com::IQeltEditorSupport> editor =
        QueryAs<com::IQeltEditorSupport>(gen.Get(), com::IID_IQeltEditorSupport);
    ASSERT_TRUE(editor);
    BYTE flags = 0xEE;
    EXPECT_EQ(editor->GetEditorFlags(0, &flags), S_OK);
    EXPECT_EQ(flags, 0);
  }
  ASSERT_EQ(RunRegsvr32(library_, true), 0u);

  const TApartment apartment;
  void* out = &out;
  EXPECT_EQ(CoCreateInstance(CLSID_FileData, nullptr, CLSCTX_INPROC_SERVER, com::IID_IQeltGen, &out),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(out, nullptr);
}

}  // namespace
}  // namespace filedata::plugintest
