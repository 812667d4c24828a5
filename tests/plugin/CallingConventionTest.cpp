// Every entry point of the built library called as a 32-bit host calls it:
// through an assembly thunk, on stacks aligned to 4 bytes only and under
// both x87 precisions a host may run with. Slots, argument counts and GUIDs
// are written out here rather than taken from the project's headers, so that
// a slot moved in both the header and the implementation still shows.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

static_assert(sizeof(void*) == 4, "a 32-bit test");

struct TCallResult {
  uint32_t eax;
  int32_t removed;  // bytes the callee popped
  uint32_t ebx, esi, edi, ebp;
  uint16_t tagWord;
  uint16_t controlWord;
  uint32_t espAtCall;
};
static_assert(sizeof(TCallResult) == 32, "laid out as CheckedCall.S writes it");

extern "C" void CheckedCall(const void* function, const uint32_t* args, uint32_t count, uint32_t misalignment,
                            uint32_t controlWord, TCallResult* result);

namespace {

// The values CheckedCall.S loads before the call.
constexpr uint32_t kSentinels[4] = {0xB0B1B2B3, 0x50515253, 0xD0D1D2D3, 0xE0E1E2E3};
constexpr const char* kRegisterNames[4] = {"ebx", "esi", "edi", "ebp"};

constexpr GUID kClassId = {0x74AE9A69, 0x3FE7, 0x496B, {0xA3, 0x75, 0x89, 0x3E, 0x07, 0x6A, 0xD0, 0x4D}};
constexpr GUID kForeignId = {0x0F0E0D0C, 0x0B0A, 0x4908, {0x87, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01, 0x00}};
constexpr GUID kIUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kISupportErrorInfo = {0xDF0B3D60, 0x548F, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
constexpr GUID kIQeltGen = {0x4B1160AE, 0x8CD7, 0x4070, {0xB8, 0xB5, 0x5C, 0xD4, 0x6A, 0x31, 0xE9, 0x65}};
constexpr GUID kIQeltEditorSupport = {0xA8C505F5, 0x6812, 0x4EB8, {0x93, 0x19, 0x71, 0xA3, 0xB9, 0xDC, 0x6E, 0x2F}};
constexpr GUID kIQeltAutoUpdate = {0x164E31E4, 0xCD60, 0x4E78, {0xA0, 0xA4, 0xCD, 0x28, 0x17, 0x8B, 0x18, 0x99}};

// Where the calls put their answers. Interface pointers live across rows;
// the rest is cleared before each call.
enum TCell { kFactory, kGen, kEditor, kUpdate, kErrorInfo, kUnknown, kScratch, kText1, kText2, kText3, kWord, kNumber,
             kNone };
struct TCells {
  uint32_t words[kNumber] = {};
  double number = 0;
  void* Address(TCell cell) { return cell == kNumber ? static_cast<void*>(&number) : &words[cell]; }
  std::string Shown(TCell cell) const {
    if (cell == kNumber) {
      std::ostringstream text;
      text << number;
      return text.str();
    }
    if (cell >= kText1 && cell <= kText3) {
      const char* text = reinterpret_cast<const char*>(words[cell]);
      return text ? text : "<null>";
    }
    return std::to_string(words[cell]);
  }
};

// An argument word: a value, an address, or the address of one of the cells.
struct TArg {
  TCell out;
  uint32_t value;
};
TArg In(uint32_t value) { return {kNone, value}; }
TArg Ref(const void* address) { return {kNone, reinterpret_cast<uint32_t>(address)}; }
TArg Out(TCell cell) { return {cell, 0}; }

char params[MAX_PATH + 64];  // GetData's parameters, naming the scratch file

// Results as eax carries them; the SDK's HRESULTs are signed.
constexpr uint32_t kFalse = 1, kNotImplemented = 0x80004001, kNoInterface = 0x80004002,
                   kClassNotAvailable = 0x80040111;

// A row calls an export by ordinal (object kNone) or a slot of the interface
// pointer in `object`, which goes first as `this`.
struct TRow {
  const char* name;
  TCell object;
  int slotOrOrdinal;
  std::vector<TArg> args;
  uint32_t eax;
  TCell shownCell = kNone;
  const char* shown = "";
};

// In order: each pass takes its objects, uses every slot and gives all back.
const TRow kRows[] = {
    {"DllCanUnloadNow", kNone, 3, {}, S_OK},
    {"DllRegisterServer", kNone, 2, {}, S_OK},
    {"DllGetClassObject(foreign)", kNone, 4, {Ref(&kForeignId), Ref(&kIClassFactory), Out(kFactory)},
     kClassNotAvailable},
    {"DllGetClassObject", kNone, 4, {Ref(&kClassId), Ref(&kIClassFactory), Out(kFactory)}, S_OK},
    {"Factory QueryInterface", kFactory, 0, {Ref(&kIUnknown), Out(kScratch)}, S_OK},
    {"Factory AddRef", kFactory, 1, {}, 3},
    {"Factory Release", kFactory, 2, {}, 2},
    {"Factory(IUnknown) Release", kScratch, 2, {}, 1},
    {"Factory LockServer(TRUE)", kFactory, 4, {In(TRUE)}, S_OK},
    {"DllCanUnloadNow(locked)", kNone, 3, {}, kFalse},
    {"Factory LockServer(FALSE)", kFactory, 4, {In(FALSE)}, S_OK},
    {"Factory CreateInstance", kFactory, 3, {Ref(nullptr), Ref(&kIQeltGen), Out(kGen)}, S_OK},
    {"Factory Release(last)", kFactory, 2, {}, 0},
    {"DllCanUnloadNow(object)", kNone, 3, {}, kFalse},

    {"Gen QueryInterface(editor)", kGen, 0, {Ref(&kIQeltEditorSupport), Out(kEditor)}, S_OK},
    {"Gen QueryInterface(update)", kGen, 0, {Ref(&kIQeltAutoUpdate), Out(kUpdate)}, S_OK},
    {"Gen QueryInterface(error info)", kGen, 0, {Ref(&kISupportErrorInfo), Out(kErrorInfo)}, S_OK},
    {"Gen QueryInterface(foreign)", kGen, 0, {Ref(&kForeignId), Out(kScratch)}, kNoInterface, kScratch, "0"},
    {"Gen AddRef", kGen, 1, {}, 5},
    {"Gen Release", kGen, 2, {}, 4},
    {"Gen GetName", kGen, 3, {Out(kText1)}, S_OK, kText1, "Filedata"},
    {"Gen GetVersionA", kGen, 4, {Out(kWord)}, S_OK, kWord, "501"},
    {"Gen GetVersionB", kGen, 5, {Out(kWord)}, S_OK, kWord, "500"},
    {"Gen SetHostValue", kGen, 6, {In(0x12345678)}, S_OK},
    {"Gen GetLastErrorText", kGen, 7, {Out(kText1)}, S_OK, kText1, "No error"},
    {"Gen GetAboutCount", kGen, 8, {Out(kWord)}, S_OK, kWord, "4"},
    {"Gen GetAboutItem", kGen, 9, {In(1), Out(kText1), Out(kText2)}, S_OK, kText1, "Created"},
    {"Gen GetDataCount", kGen, 10, {Out(kWord)}, S_OK, kWord, "1"},
    {"Gen GetDataInfo", kGen, 11, {In(0), Out(kText1), Out(kWord)}, S_OK, kText1, "Filedata"},
    {"Gen GetData", kGen, 12, {In(0), Ref(params), Out(kText1), Out(kWord), Out(kText2), Out(kNumber)}, S_OK, kNumber,
     "42.5"},
    {"Gen HostHookA", kGen, 13, {}, S_OK},
    {"Gen HostHookB", kGen, 14, {}, S_OK},
    {"Gen OptionalRequest", kGen, 15, {}, kNotImplemented},
    {"Gen GetParamCount", kGen, 16, {In(0), Out(kWord)}, S_OK, kWord, "2"},
    {"Gen GetParamInfo", kGen, 17, {In(0), In(1), Out(kText1), Out(kText2), Out(kText3)}, S_OK, kText1, "Line"},
    {"Gen GetAdvancedParamCount", kGen, 18, {In(0), Out(kWord)}, S_OK, kWord, "2"},
    {"Gen GetAdvancedParamInfo", kGen, 19, {In(0), In(1), Out(kText1), Out(kText2), Out(kText3)}, S_OK, kText1,
     "Length"},

    {"Editor QueryInterface(IUnknown)", kEditor, 0, {Ref(&kIUnknown), Out(kUnknown)}, S_OK},
    {"Editor AddRef", kEditor, 1, {}, 6},
    {"Editor Release", kEditor, 2, {}, 5},
    {"Editor GetEditorFlags", kEditor, 3, {In(0), Out(kWord)}, S_OK, kWord, "0"},
    {"Editor GetParamEditor", kEditor, 4, {In(0), Ref("Filename"), Out(kWord), Out(kText1)}, S_OK, kWord, "5"},

    {"Update QueryInterface", kUpdate, 0, {Ref(&kIQeltGen), Out(kScratch)}, S_OK},
    {"Update AddRef", kUpdate, 1, {}, 7},
    {"Update Release", kUpdate, 2, {}, 6},
    {"Update GetUpdateLocation", kUpdate, 3, {Out(kText1)}, S_OK},
    {"Gen(from update) Release", kScratch, 2, {}, 5},

    {"ErrorInfo QueryInterface", kErrorInfo, 0, {Ref(&kISupportErrorInfo), Out(kScratch)}, S_OK},
    {"ErrorInfo AddRef", kErrorInfo, 1, {}, 7},
    {"ErrorInfo Release", kErrorInfo, 2, {}, 6},
    {"ErrorInfo InterfaceSupportsErrorInfo(gen)", kErrorInfo, 3, {Ref(&kIQeltGen)}, S_OK},
    {"ErrorInfo InterfaceSupportsErrorInfo(factory)", kErrorInfo, 3, {Ref(&kIClassFactory)}, kFalse},
    {"ErrorInfo(again) Release", kScratch, 2, {}, 5},

    {"Unknown QueryInterface", kUnknown, 0, {Ref(&kIQeltAutoUpdate), Out(kScratch)}, S_OK},
    {"Unknown AddRef", kUnknown, 1, {}, 7},
    {"Unknown Release", kUnknown, 2, {}, 6},
    {"Update(from unknown) Release", kScratch, 2, {}, 5},

    {"Unknown Release(last)", kUnknown, 2, {}, 4},
    {"ErrorInfo Release(last)", kErrorInfo, 2, {}, 3},
    {"Update Release(last)", kUpdate, 2, {}, 2},
    {"Editor Release(last)", kEditor, 2, {}, 1},
    {"DllCanUnloadNow(one reference)", kNone, 3, {}, kFalse},
    {"Gen Release(last)", kGen, 2, {}, 0},
    {"DllUnregisterServer", kNone, 1, {}, S_OK},
    {"DllCanUnloadNow(all gone)", kNone, 3, {}, S_OK},
};

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
  return text;
}

// One line per call, so that a failing row shows everything that differs.
std::string Outcome(uint32_t eax, int32_t removed, const std::string& registers, uint32_t tagWord,
                    uint32_t controlWord, const std::string& shown) {
  return "eax=" + Hex(eax) + " removed=" + std::to_string(removed) + " registers=" + registers +
         " x87 tags=" + Hex(tagWord) + " control=" + Hex(controlWord) + " shown=" + shown;
}

std::string ChangedRegisters(const TCallResult& result) {
  const uint32_t after[4] = {result.ebx, result.esi, result.edi, result.ebp};
  std::string changed;
  for (int i = 0; i < 4; ++i) {
    if (after[i] != kSentinels[i]) changed += std::string(changed.empty() ? "" : ",") + kRegisterNames[i];
  }
  return changed.empty() ? "kept" : changed + " changed";
}

// The apartment, the library and the scratch file, given back however the test ends.
struct TEnvironment {
  HRESULT apartment = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // LockServer needs one
  HMODULE module = nullptr;
  std::string file;
  ~TEnvironment() {
    if (module) FreeLibrary(module);
    if (!file.empty()) DeleteFileA(file.c_str());
    if (SUCCEEDED(apartment)) CoUninitialize();
  }
};

TEST(CallingConventionTest, EveryEntryPointIsStdcallAndKeepsTheHostsRegistersStackAndX87State) {
  TEnvironment environment;
  ASSERT_TRUE(SUCCEEDED(environment.apartment));
  char exe[MAX_PATH];
  std::string library(exe, GetModuleFileNameA(nullptr, exe, MAX_PATH));
  library = library.substr(0, library.find_last_of('\\') + 1) + "QeltGen_Filedata.dll";
  const HMODULE module = environment.module = LoadLibraryA(library.c_str());
  ASSERT_NE(module, nullptr) << library;

  char separator[8] = {};
  if (GetLocaleInfoA(GetThreadLocale(), LOCALE_SDECIMAL, separator, sizeof separator) <= 1) separator[0] = '.';
  const std::string& file = environment.file =
      (std::filesystem::temp_directory_path() / ("filedata-cc-" + std::to_string(GetCurrentProcessId()) + ".txt"))
          .string();
  std::ofstream(file, std::ios::binary) << "Temp: 42" << separator << "5 C\r\nsecond\r\nthird\r\n";
  std::snprintf(params, sizeof params, "FILENAME=%s|START=7|LENGTH=4", file.c_str());

  int calls = 0;
  for (const uint32_t controlWord : {0x027Fu, 0x037Fu}) {
    for (const uint32_t misalignment : {0u, 4u, 8u, 12u}) {
      SCOPED_TRACE("control word " + Hex(controlWord) + ", esp misaligned by " + std::to_string(misalignment));
      TCells cells;
      for (const TRow& row : kRows) {
        SCOPED_TRACE(row.name);
        for (int cell = kText1; cell < kNumber; ++cell) cells.words[cell] = 0;
        cells.number = 0;

        std::vector<uint32_t> words;
        const void* function;
        if (row.object == kNone) {
          function = reinterpret_cast<const void*>(GetProcAddress(module, MAKEINTRESOURCEA(row.slotOrOrdinal)));
        } else {
          const uint32_t self = cells.words[row.object];
          ASSERT_NE(self, 0u) << "no interface pointer to call";
          words.push_back(self);
          function = reinterpret_cast<const void* const*>(*reinterpret_cast<const uint32_t*>(self))[row.slotOrOrdinal];
        }
        ASSERT_NE(function, nullptr);
        for (const TArg& arg : row.args) {
          words.push_back(arg.out == kNone ? arg.value : reinterpret_cast<uint32_t>(cells.Address(arg.out)));
        }

        TCallResult result{};
        CheckedCall(function, words.data(), static_cast<uint32_t>(words.size()), misalignment, controlWord, &result);
        ++calls;
        ASSERT_EQ((result.espAtCall + misalignment) % 16, 0u) << "the thunk did not misalign the stack";
        const std::string shown = row.shownCell == kNone ? "" : cells.Shown(row.shownCell);
        EXPECT_EQ(Outcome(result.eax, result.removed, ChangedRegisters(result), result.tagWord, result.controlWord,
                          shown),
                  Outcome(row.eax, static_cast<int32_t>(4 * words.size()), "kept", 0xFFFF, controlWord, row.shown));
      }
    }
  }
  EXPECT_EQ(calls, 8 * static_cast<int>(std::size(kRows)));
}

}  // namespace
