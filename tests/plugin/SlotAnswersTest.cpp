// Every slot of the three host interfaces, on fresh objects of the built
// library, and the data query on real files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/plugin/PlugInDllFixture.h"
// After <windows.h>, which the fixture brings.
#include <psapi.h>
#include "tests/support/HostTexts.h"

namespace filedata::plugintest {
namespace {

// Every slot's answer on a fresh object, rendered as text: out-parameters
// joined by "|", kUntouched where the slot must not write.
struct TSlotCase {
  const char* slot;
  HRESULT (*call)(const TObjectViews&, std::string& shown);
  HRESULT result;
  std::string shown;
};

HRESULT AboutItem(const TObjectViews& p, LONG index, std::string& shown) {
  const char* key = kUntouched;
  const char* value = kUntouched;
  const HRESULT result = p.gen->GetAboutItem(index, &key, &value);
  shown = Joined({key, value});
  return result;
}
HRESULT DataInfo(const TObjectViews& p, LONG index, std::string& shown) {
  const char* name = kUntouched;
  BYTE kind = kUntouchedByte;
  const HRESULT result = p.gen->GetDataInfo(index, &name, &kind);
  shown = Joined({name, std::to_string(kind).c_str()});
  return result;
}
HRESULT ParamInfo(const TObjectViews& p, bool advanced, LONG item, LONG index, std::string& shown) {
  const char* texts[3] = {kUntouched, kUntouched, kUntouched};
  const HRESULT result = advanced ? p.gen->GetAdvancedParamInfo(item, index, &texts[0], &texts[1], &texts[2])
                                  : p.gen->GetParamInfo(item, index, &texts[0], &texts[1], &texts[2]);
  shown = Joined({texts[0], texts[1], texts[2]});
  return result;
}
template <class Slot>
HRESULT Count(Slot slot, std::string& shown) {
  LONG count = -1;
  const HRESULT result = slot(&count);
  shown = std::to_string(count);
  return result;
}
HRESULT ParamEditor(const TObjectViews& p, const char* name, std::string& shown) {
  BYTE kind = kUntouchedByte;
  const char* text = kUntouched;
  const HRESULT result = p.editor->GetParamEditor(0, name, &kind, &text);
  shown = Joined({std::to_string(kind).c_str(), text});
  return result;
}
// A slot without outputs, followed by a look at the last-error text it must not touch.
HRESULT ThenLastError(const TObjectViews& p, HRESULT result, std::string& shown) {
  shown = p.LastError();
  return result;
}

using namespace filedata::testing;

std::string AboutRow(int i) { return Joined({kExpectedAbout[i].Key, kExpectedAbout[i].Value}); }
std::string ParamRow(const TExpectedParam& param) { return Joined({param.Name, param.Default, param.Description}); }

const TSlotCase kSlotCases[] = {
    {"Gen 3 GetName", [](const TObjectViews& p, std::string& s) {
       const char* t = kUntouched;
       const HRESULT r = p.gen->GetName(&t);
       s = Shown(t);
       return r;
     }, S_OK, kExpectedName},
    {"Gen 4 GetVersionA", [](const TObjectViews& p, std::string& s) {
       WORD v = 0;
       const HRESULT r = p.gen->GetVersionA(&v);
       s = std::to_string(v);
       return r;
     }, S_OK, std::to_string(kExpectedVersionA)},
    {"Gen 5 GetVersionB", [](const TObjectViews& p, std::string& s) {
       WORD v = 0;
       const HRESULT r = p.gen->GetVersionB(&v);
       s = std::to_string(v);
       return r;
     }, S_OK, std::to_string(kExpectedVersionB)},
    {"Gen 6 SetHostValue(0)", [](const TObjectViews& p, std::string& s) { return ThenLastError(p, p.gen->SetHostValue(0), s); },
     S_OK, "No error"},
    {"Gen 6 SetHostValue(min)", [](const TObjectViews& p, std::string& s) {
       return ThenLastError(p, p.gen->SetHostValue(INT32_MIN), s);
     }, S_OK, "No error"},
    {"Gen 6 SetHostValue(max)", [](const TObjectViews& p, std::string& s) {
       return ThenLastError(p, p.gen->SetHostValue(INT32_MAX), s);
     }, S_OK, "No error"},
    {"Gen 7 GetLastErrorText", [](const TObjectViews& p, std::string& s) { return ThenLastError(p, S_OK, s); }, S_OK,
     "No error"},
    {"Gen 8 GetAboutCount", [](const TObjectViews& p, std::string& s) {
       return Count([&](LONG* n) { return p.gen->GetAboutCount(n); }, s);
     }, S_OK, "4"},
    {"Gen 9 GetAboutItem(0)", [](const TObjectViews& p, std::string& s) { return AboutItem(p, 0, s); }, S_OK, AboutRow(0)},
    {"Gen 9 GetAboutItem(1)", [](const TObjectViews& p, std::string& s) { return AboutItem(p, 1, s); }, S_OK,
     AboutRow(1)},
    {"Gen 9 GetAboutItem(2)", [](const TObjectViews& p, std::string& s) { return AboutItem(p, 2, s); }, S_OK,
     AboutRow(2)},
    {"Gen 9 GetAboutItem(3)", [](const TObjectViews& p, std::string& s) { return AboutItem(p, 3, s); }, S_OK, AboutRow(3)},
    {"Gen 9 GetAboutItem(4)", [](const TObjectViews& p, std::string& s) { return AboutItem(p, 4, s); }, E_FAIL,
     "<untouched>|<untouched>"},
    {"Gen 9 GetAboutItem(-1)", [](const TObjectViews& p, std::string& s) { return AboutItem(p, -1, s); }, E_FAIL,
     "<untouched>|<untouched>"},
    {"Gen 10 GetDataCount", [](const TObjectViews& p, std::string& s) {
       return Count([&](LONG* n) { return p.gen->GetDataCount(n); }, s);
     }, S_OK, "1"},
    {"Gen 11 GetDataInfo(0)", [](const TObjectViews& p, std::string& s) { return DataInfo(p, 0, s); }, S_OK, std::string(kExpectedDataItem) + "|2"},
    {"Gen 11 GetDataInfo(1)", [](const TObjectViews& p, std::string& s) { return DataInfo(p, 1, s); }, E_FAIL,
     "<untouched>|2"},
    {"Gen 13 HostHookA", [](const TObjectViews& p, std::string& s) { return ThenLastError(p, p.gen->HostHookA(), s); }, S_OK,
     "No error"},
    {"Gen 14 HostHookB", [](const TObjectViews& p, std::string& s) { return ThenLastError(p, p.gen->HostHookB(), s); }, S_OK,
     "No error"},
    {"Gen 15 OptionalRequest", [](const TObjectViews& p, std::string& s) {
       return ThenLastError(p, p.gen->OptionalRequest(), s);
     }, E_NOTIMPL, "No error"},
    {"Gen 16 GetParamCount(0)", [](const TObjectViews& p, std::string& s) {
       return Count([&](LONG* n) { return p.gen->GetParamCount(0, n); }, s);
     }, S_OK, "2"},
    {"Gen 16 GetParamCount(9)", [](const TObjectViews& p, std::string& s) {
       return Count([&](LONG* n) { return p.gen->GetParamCount(9, n); }, s);
     }, S_OK, "2"},
    {"Gen 17 GetParamInfo(0, 0)", [](const TObjectViews& p, std::string& s) { return ParamInfo(p, false, 0, 0, s); }, S_OK,
     ParamRow(kExpectedBasicParams[0])},
    {"Gen 17 GetParamInfo(5, 1)", [](const TObjectViews& p, std::string& s) { return ParamInfo(p, false, 5, 1, s); }, S_OK,
     ParamRow(kExpectedBasicParams[1])},
    {"Gen 18 GetAdvancedParamCount(-3)", [](const TObjectViews& p, std::string& s) {
       return Count([&](LONG* n) { return p.gen->GetAdvancedParamCount(-3, n); }, s);
     }, S_OK, "2"},
    {"Gen 19 GetAdvancedParamInfo(0, 0)", [](const TObjectViews& p, std::string& s) { return ParamInfo(p, true, 0, 0, s); },
     S_OK, ParamRow(kExpectedAdvancedParams[0])},
    {"Gen 19 GetAdvancedParamInfo(0, 1)", [](const TObjectViews& p, std::string& s) { return ParamInfo(p, true, 0, 1, s); },
     S_OK, ParamRow(kExpectedAdvancedParams[1])},
    {"Editor 3 GetEditorFlags", [](const TObjectViews& p, std::string& s) {
       BYTE flags = kUntouchedByte;
       const HRESULT r = p.editor->GetEditorFlags(0, &flags);
       s = std::to_string(flags);
       return r;
     }, S_OK, "0"},
    {"Editor 4 GetParamEditor(Filename)", [](const TObjectViews& p, std::string& s) { return ParamEditor(p, "Filename", s); },
     S_OK, "5|"},
    {"Editor 4 GetParamEditor(fileNAME)", [](const TObjectViews& p, std::string& s) { return ParamEditor(p, "fileNAME", s); },
     S_OK, "5|"},
    {"Editor 4 GetParamEditor(Line)", [](const TObjectViews& p, std::string& s) { return ParamEditor(p, "Line", s); }, S_OK,
     "0|<untouched>"},
    {"Editor 4 GetParamEditor( FILENAME)", [](const TObjectViews& p, std::string& s) {
       return ParamEditor(p, " FILENAME", s);
     }, S_OK, "0|<untouched>"},
    {"AutoUpdate 3 GetUpdateLocation", [](const TObjectViews& p, std::string& s) {
       const char* t = kUntouched;
       const HRESULT r = p.update->GetUpdateLocation(&t);
       s = Shown(t);
       return r;
     }, S_OK, kExpectedUpdateLocation},
};

TEST_F(PlugInDllTest, EverySlotAnswersWithItsValues) {
  for (const TSlotCase& slotCase : kSlotCases) {
    SCOPED_TRACE(slotCase.slot);
    const TObjectViews plugIn = NewPlugIn();
    ASSERT_TRUE(plugIn.gen && plugIn.editor && plugIn.update);
    std::string shown;
    EXPECT_EQ(slotCase.call(plugIn, shown), slotCase.result);
    EXPECT_EQ(shown, slotCase.shown);
  }
}

// Slot 12 on a real file. "@" in the parameters stands for the file's path.
struct TQueryCase {
  LONG itemIndex;
  const char* params;
  HRESULT result;
  int kind;              // -1: not examined
  std::string text;      // the answer, or kUntouched
  double number;         // examined for a number answer only; a text answer leaves it alone
  std::string lastError;
};

std::string DecimalSeparator() {
  char buffer[8] = {};
  return GetLocaleInfoA(GetThreadLocale(), LOCALE_SDECIMAL, buffer, sizeof buffer) > 1 ? buffer : ".";
}

TEST_F(PlugInDllTest, GetDataAnswersFromARealFile) {
  const std::string sep = DecimalSeparator();
  const TScratchFolder folder("filedata-query");
  const std::string file = folder.PathOf("values.txt");
  std::ofstream(file, std::ios::binary) << "10\r\n20\r\nTemp: 42" << sep << "5 C\r\nlast words\r\n";

  const std::vector<TQueryCase> cases = {
      {0, "FILENAME=@|LINE=2", S_OK, 0, "", 20, "No error"},
      {0, "FILENAME=@|LINE=2|START=2", S_OK, 0, "", 0, "No error"},
      {0, "FILENAME=@|LINE=3|START=7|LENGTH=4", S_OK, 0, "", 42.5, "No error"},
      {0, "FILENAME=@|LINE=3|START=7", S_OK, 1, "42" + sep + "5 C", 0, "No error"},
      {0, "filename=@|line=0", S_OK, 1, "last words", 0, "No error"},
      {0, "FILENAME=@|LINE=1|START=9", S_OK, 1, "", 0, "No error"},
      {0, nullptr, S_OK, 1, "Invalid Arguments", 0, "No error"},
      {0, "FILENAME=@.missing|LINE=1", S_OK, 1, "Invalid Arguments", 0, "No error"},
      {1, "FILENAME=@", E_FAIL, kUntouchedByte, kUntouched, 0, "Index out of bounds"},
      {0, "FILENAME=@|LINE=x", E_FAIL, -1, "", 0, "'x' is not a valid integer value"},
      {0, "FILENAME=@|LINE=9", E_FAIL, -1, "", 0, "List index out of bounds (8)"},
  };
  for (const TQueryCase& query : cases) {
    std::string params = query.params ? query.params : "";
    if (const auto at = params.find('@'); at != std::string::npos) params.replace(at, 1, file);
    for (const TQuerySlot slot : kQuerySlots) {
      SCOPED_TRACE((query.params ? params : "null parameters") + SlotName(slot));
      const TReading reading = Read(query.itemIndex, query.params ? params.c_str() : nullptr, slot);
      EXPECT_EQ(reading.result, query.result);
      if (query.kind >= 0) {
        EXPECT_EQ(reading.kind, query.kind);
        EXPECT_EQ(reading.text, query.text);
        EXPECT_EQ(reading.itemName, query.result == S_OK ? kExpectedDataItem : kUntouched);
        if (query.kind == 0) {
          EXPECT_DOUBLE_EQ(reading.number, query.number);
        } else {
          EXPECT_EQ(reading.number, kUntouchedNumber);
        }
      }
      EXPECT_EQ(reading.lastError, query.lastError);
      // The explanation ends with the very answer the host gets.
      if (slot != TQuerySlot::GetData) {
        const std::string hr = query.result == S_OK ? "S_OK" : "E_FAIL";
        EXPECT_NE(reading.steps.find("{\"step\":\"answer\",\"detail\":\"the host receives " + hr), std::string::npos)
            << reading.steps;
        EXPECT_EQ(reading.steps.substr(reading.steps.size() - 2), "}]");
      }
      // The view: the file's lines where the file was opened, else why not.
      if (slot == TQuerySlot::ExplainWithView) {
        const bool opened = params.find(".missing") == std::string::npos && query.params && query.itemIndex == 0 &&
                            params.find("LINE=x") == std::string::npos;
        EXPECT_EQ(reading.view.rfind(opened ? "{\"available\":true," : "{\"available\":false,", 0), 0u) << reading.view;
      }
    }
  }
}

// The system's text for CODE as the last-error text quotes it: trimmed.
std::string SystemText(DWORD code) {
  char text[256];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                sizeof text, nullptr);
  while (length > 0 && (static_cast<unsigned char>(text[length - 1]) <= 0x20 || text[length - 1] == '.')) --length;
  return std::string(text, length);
}

std::string FullPath(const std::string& name) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(name.c_str(), MAX_PATH, full, nullptr);
  return std::string(full, length < MAX_PATH ? length : 0);
}

// A file a reading cannot read as it stands, laid in FOLDER: the parameter
// text, the answer the host gets (its text, or its last-error text), and,
// where this system cannot make the case, why.
struct TUnreadable {
  std::string params, hostText, skip;
  HANDLE writer = INVALID_HANDLE_VALUE;  // a logger's, held open while the plug-in reads
};

std::string CannotOpen(const std::string& path, DWORD code) {
  return "Cannot open file \"" + FullPath(path) + "\". " + SystemText(code);
}

TUnreadable HeldByAWriter(const TScratchFolder& folder) {
  TUnreadable file;
  const std::string path = folder.Write("logger.txt", "Temp: 21.5\r\n");
  file.writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  file.params = "FILENAME=" + path;
  file.hostText = CannotOpen(path, ERROR_SHARING_VIOLATION);
  return file;
}

// A file no account may read, not even an administrator's: a write-only
// kernel setting, where the system has one.
TUnreadable ReadByNobody(const TScratchFolder&) {
  TUnreadable file;
  const std::string path = "Z:\\proc\\sys\\vm\\drop_caches";
  const HANDLE probe = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES || probe != INVALID_HANDLE_VALUE ||
      GetLastError() != ERROR_ACCESS_DENIED) {
    file.skip = "no file here that the system refuses to let this account read";
  }
  file.params = "FILENAME=" + path;
  file.hostText = CannotOpen(path, ERROR_ACCESS_DENIED);
  return file;
}

TUnreadable NamedTooLong(const TScratchFolder& folder) {
  TUnreadable file;
  file.params = "FILENAME=" + folder.PathOf(std::string(300, 'n') + ".txt");
  file.hostText = "Invalid Arguments";
  return file;
}

// A name whose character the host's code page lacks, handed over as "?".
TUnreadable NamedWithALostCharacter(const TScratchFolder& folder) {
  TUnreadable file;
  std::filesystem::create_directory(folder.Dir() / "lost");
  folder.Write("lost/x.txt", "Temp: 21.5\r\n");
  const std::string path = folder.PathOf("lost\\?.txt");
  file.params = "FILENAME=" + path;
  file.hostText = CannotOpen(path, ERROR_INVALID_NAME);
  return file;
}

TUnreadable SavedAsUtf8(const TScratchFolder& folder) {
  TUnreadable file;
  if (GetACP() != 1252) file.skip = "the host's code page is " + std::to_string(GetACP()) + ", not 1252";
  file.params = "FILENAME=" + folder.Write("utf8.txt", "Temp: 21.5 \xC2\xB0" "C\r\n");
  file.hostText = "Temp: 21.5 \xC2\xB0" "C";
  return file;
}

// What stops a reading, told through the built library in words a user can
// act on, while the host's answer stays exactly what it was.
TEST_F(PlugInDllTest, TheExplanationSaysWhatStopsAReadingInWordsAUserActsOn) {
  const struct {
    const char* name;
    TUnreadable (*lay)(const TScratchFolder&);
    HRESULT result;
    std::vector<const char*> steps;  // as the JSON writes them
    const char* viewNote;            // in the view's notes, when given
  } cases[] = {
      {"a logger holds it open for writing", HeldByAWriter, E_FAIL,
       {R"("step":"open")", "present but cannot be opened", "another program has it open",
        "close the file after each write", R"("failure":"sharing violation")"},
       nullptr},
      {"no account may read it", ReadByNobody, E_FAIL,
       {R"("step":"open")", "denies this user account access", R"("failure":"access denied")"}, nullptr},
      {"its name is too long", NamedTooLong, S_OK,
       {"not found, so the answer is", "its full name is", "at most 259 (MAX_PATH)", R"("failure":"name too long")"},
       nullptr},
      {"its name holds a lost character", NamedWithALostCharacter, E_FAIL,
       {R"("step":"open")", R"(no file name can hold \"?\")", "a character that code page", "non-Unicode programs",
        R"("failure":"invalid name")"},
       nullptr},
      {"it is UTF-8 without a mark", SavedAsUtf8, S_OK,
       {R"("step":"utf-8")", "has no UTF-8 mark",
        R"(is written as the 2 bytes C2 B0, which code page 1252 shows as \"\u00C2\u00B0\")", "-Encoding Unicode"},
       "line 1 is UTF-8 text"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TScratchFolder folder("filedata-unreadable");
    const TUnreadable file = c.lay(folder);
    if (!file.skip.empty()) {
      std::printf("[   SKIP   ] %s: %s\n", c.name, file.skip.c_str());
      continue;
    }
    const TReading host = Read(0, file.params.c_str(), TQuerySlot::GetData);
    EXPECT_EQ(host.result, c.result);
    EXPECT_EQ(c.result == S_OK ? host.text : host.lastError, file.hostText);
    for (const TQuerySlot slot : {TQuerySlot::ExplainData, TQuerySlot::ExplainWithView}) {
      const TReading tool = Read(0, file.params.c_str(), slot);
      EXPECT_EQ(tool.result, host.result);
      EXPECT_EQ(tool.text, host.text);
      EXPECT_EQ(tool.lastError, host.lastError);
      for (const char* words : c.steps) EXPECT_NE(tool.steps.find(words), std::string::npos) << words << "\n" << tool.steps;
      if (slot == TQuerySlot::ExplainWithView && c.viewNote) {
        EXPECT_NE(tool.view.find(c.viewNote), std::string::npos) << tool.view;
      }
    }
    if (file.writer != INVALID_HANDLE_VALUE) CloseHandle(file.writer);
  }
}

// A hole reads as zero bytes, which end the text, so the line before it
// shows that the whole size, high word and all, was taken.
TEST_F(PlugInDllTest, FilesOf2GiBAndMoreAreReadToTheirSize) {
  const TScratchFolder folder("filedata-huge");
  const std::string file = folder.PathOf("huge.txt");
  for (const std::uintmax_t size : {(2ull << 30) + 6, (4ull << 30) + 6}) {
    SCOPED_TRACE(size);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << "first\r\nsecond\r\n";
    std::filesystem::resize_file(file, size);
    ASSERT_EQ(std::filesystem::file_size(file), size);
    const TObjectViews plugIn = NewPlugIn();
    ASSERT_TRUE(plugIn.gen);
    const std::string params = "FILENAME=" + file + "|LINE=0";
    const char* name = nullptr;
    const char* text = nullptr;
    BYTE kind = kUntouchedByte;
    double number = kUntouchedNumber;
    ASSERT_EQ(plugIn.gen->GetData(0, params.c_str(), &name, &kind, &text, &number), S_OK) << plugIn.LastError();
    EXPECT_EQ(Shown(text), "second");
  }
}

// The view lists the lines the query reads, as it reads them: the zero past
// the first MiB ends the text for every LINE, so nothing after it is listed,
// the last line before it is LINE=0's, and each line listed is GetData's
// answer for the LINE it is listed at.
TEST_F(PlugInDllTest, TheViewListsTheLinesGetDataAnswersWithPastTheFirstMiB) {
  const auto rows = [](const char* name, int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += name + std::to_string(i) + "\r\n";
    return text;
  };
  const auto wide = [](const std::string& ascii) {
    std::string units;
    for (const char c : ascii) units += {c, '\0'};
    return units;
  };
  const int count = 150000;
  const std::string before = rows("row ", count), after = rows("after ", 20000);
  const TScratchFolder folder("filedata-view");
  const struct {
    const char* name;
    std::string bytes;
    std::string end;  // how the view says the text ended
  } files[] = {
      {"8-bit", before + std::string(4096, '\0') + after,
       "a zero byte at byte " + std::to_string(before.size() + 1) + " ends the text"},
      {"UTF-16LE", "\xFF\xFE" + wide(before) + std::string(4096, '\0') + wide(after),
       "a zero code unit (00 00) at bytes " + std::to_string(2 * before.size() + 3) + "-"},
  };
  for (const auto& file : files) {
    const std::string path = folder.PathOf("zeros.txt");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << file.bytes;
    const auto answer = [&](const std::string& line) {
      return Read(0, ("FILENAME=" + path + "|LINE=" + line).c_str(), TQuerySlot::GetData);
    };
    for (const int line : {3, 0, -1}) {
      SCOPED_TRACE(std::string(file.name) + ", LINE=" + std::to_string(line));
      const std::string params = "FILENAME=" + path + "|LINE=" + std::to_string(line);
      const TReading host = Read(0, params.c_str(), TQuerySlot::GetData);
      const TReading tool = Read(0, params.c_str(), TQuerySlot::ExplainWithView);
      EXPECT_EQ(tool.result, host.result);
      EXPECT_EQ(tool.text, host.text);
      EXPECT_EQ(tool.lastError, host.lastError);
      const nlohmann::json view = nlohmann::json::parse(tool.view, nullptr, false);
      ASSERT_TRUE(view.value("available", false)) << tool.view.substr(0, 300);
      EXPECT_NE(view.value("end", "").find(file.end), std::string::npos) << view["end"];
      // Counted where the query's read counted them: a negative LINE.
      if (line < 0) {
        EXPECT_EQ(view["lineCount"], count);
      } else {
        EXPECT_TRUE(view["lineCount"].is_null());
      }
      for (const char* part : {"head", "tail"}) {
        const nlohmann::json& lines = view[part];
        ASSERT_FALSE(lines.empty());
        for (const nlohmann::json& listed : {lines.front(), lines.back()}) {
          const std::string text = listed.value("text", "");
          if (listed["line"].is_number()) {
            EXPECT_EQ(answer(std::to_string(listed["line"].get<int>())).text, text) << listed;
          }
          if (listed["fromEnd"] == 0) {
            EXPECT_EQ(answer("0").text, text) << listed;
          }
        }
      }
      EXPECT_EQ(view["tail"].back()["fromEnd"], 0) << "LINE=0's line is listed as such";
      EXPECT_EQ(tool.view.find("\"text\":\"after"), std::string::npos) << "a line past the zero is listed";
    }
  }
}

// The most private memory this process has had committed at once.
std::uint64_t PeakPrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  return counters.PeakPagefileUsage;
}

// A file of PREFIX, LINE characters 'x' and SUFFIX (all ASCII), written a
// part at a time, as 8-bit text or, WIDE, as UTF-16LE after its mark.
void WriteLongLine(const std::string& path, const std::string& prefix, std::uint64_t line, const std::string& suffix,
                   bool wide = false) {
  const auto stored = [wide](const std::string& ascii) {
    if (!wide) return ascii;
    std::string units;
    for (const char c : ascii) units += {c, '\0'};
    return units;
  };
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << (wide ? "\xFF\xFE" : "") << stored(prefix);
  const std::string part = stored(std::string(1 << 20, 'x'));
  const std::uint64_t unit = wide ? 2 : 1;
  for (std::uint64_t left = line * unit; left > 0; left -= std::min<std::uint64_t>(left, part.size())) {
    out.write(part.data(), static_cast<std::streamsize>(std::min<std::uint64_t>(left, part.size())));
  }
  out << stored(suffix);
}

// A line of 200 MB, or of 50 million UTF-16 units, costs the host only what
// each answer needs, whichever LINE passes it, and through the tools'
// interfaces too: the process's peak of private memory stays where it was,
// give or take the reads.
TEST_F(PlugInDllTest, ALongLineCostsTheHostOnlyItsAnswer) {
  const TScratchFolder folder("filedata-long");
  const std::string path = folder.PathOf("long.txt");
  const std::uint64_t before = PeakPrivateBytes();
  const struct {
    const char* params;
    HRESULT result;
    std::string text;  // or the last-error text
  } cases[] = {
      {"|START=7|LENGTH=4", S_OK, ""},
      {"|LINE=0", S_OK, "last 7"},
      {"|LINE=2", S_OK, "last 7"},
      {"|LINE=-1", E_FAIL, "List index out of bounds (2)"},
  };
  for (const bool wide : {false, true}) {
    WriteLongLine(path, "Temp: 42.5 ", wide ? 50u << 20 : 200u << 20, "\r\nlast 7\r\n", wide);
    for (const auto& c : cases) {
      for (const TQuerySlot slot : kQuerySlots) {
        SCOPED_TRACE(c.params + std::string(SlotName(slot)) + (wide ? ", UTF-16LE" : ""));
        const TReading reading = Read(0, ("FILENAME=" + path + c.params).c_str(), slot);
        EXPECT_EQ(reading.result, c.result);
        EXPECT_EQ(c.result == S_OK ? reading.text : reading.lastError, c.text);
      }
    }
  }
  EXPECT_LT(PeakPrivateBytes() - before, std::uint64_t{32} << 20) << "the queries held the long line";
}

// An answer a 32-bit host cannot hold, the whole of a line of 2.1 GB, fails
// in words that name the line and its length, and the object goes on.
TEST_F(PlugInDllTest, AnAnswerTooLongToHoldIsSaidInWords) {
  if (sizeof(void*) != 4) GTEST_SKIP() << "a 64-bit host can hold it";
  const TScratchFolder folder("filedata-too-long");
  const std::string path = folder.PathOf("too-long.txt");
  const std::uint64_t line = 2100ull * 1000 * 1000;
  WriteLongLine(path, "", line, "\r\nlast 7\r\n");
  const TObjectViews plugIn = NewPlugIn();
  ASSERT_TRUE(plugIn.gen);
  const std::string params = "FILENAME=" + path + "|LINE=1";
  const char* name = nullptr;
  const char* text = nullptr;
  BYTE kind = kUntouchedByte;
  double number = kUntouchedNumber;
  EXPECT_EQ(plugIn.gen->GetData(0, params.c_str(), &name, &kind, &text, &number), E_FAIL);
  EXPECT_EQ(plugIn.LastError(), "Line 1 is " + std::to_string(line) +
                                    " bytes long, too long for the plug-in to hand over; set START and LENGTH to cut a "
                                    "part of it");
  const std::string cut = "FILENAME=" + path + "|LINE=1|START=9|LENGTH=3";
  EXPECT_EQ(plugIn.gen->GetData(0, cut.c_str(), &name, &kind, &text, &number), S_OK);
  EXPECT_EQ(Shown(text), "xxx");
  std::filesystem::remove(path);
}

TEST_F(PlugInDllTest, AFailureShowsOnlyInTheLastErrorOfItsOwnObject) {
  const TObjectViews failing = NewPlugIn();
  const TObjectViews other = NewPlugIn();
  ASSERT_TRUE(failing.gen && other.gen);
  std::string shown;
  EXPECT_EQ(AboutItem(failing, 7, shown), E_FAIL);
  EXPECT_EQ(failing.LastError(), "Index out of bounds");
  EXPECT_EQ(other.LastError(), "No error");
  // A later success does not clear it.
  EXPECT_EQ(AboutItem(failing, 0, shown), S_OK);
  EXPECT_EQ(failing.LastError(), "Index out of bounds");
}

}  // namespace
}  // namespace filedata::plugintest
