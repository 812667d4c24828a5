// filedata --explain names the rule behind each answer. The cases check the
// facts a step must carry, not its wording, and that explaining a query does
// not change its answer.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "explain/Explanation.h"
#include "explain/FailureWords.h"
#include "explain/FileViewWords.h"
#include "platform/Utf8Characters.h"
#include "plugin/PlugIn.h"
#include "query/DataQuery.h"
#include "query/FileView.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/WindowsProgramFiles.h"
#include "tools/common/Explain.h"
#include "tools/common/QueryOutcome.h"

#ifdef _WIN32
#include <sys/utime.h>
#else
#include <utime.h>
#endif

namespace filedata::tool {
namespace {

struct TFact {
  const char* step;
  std::vector<const char*> says;  // every one appears in one detail of that step
  bool absent = false;            // no step of that kind says them all (with none: no such step at all)
};

struct TExplainCase {
  std::string content;  // of the file "@" stands for
  const char* params;
  std::vector<TFact> facts;
};

class ExplainTest : public testing::ScratchFolderTest {
 protected:
  std::string Params(const TExplainCase& c) {
    std::string params = c.params;
    const std::string file = Write("f.txt", c.content);
    for (std::size_t at; (at = params.find('@')) != std::string::npos;) params.replace(at, 1, file);
    return params;
  }
};

// The plug-in object's own explanation, as filedata --explain asks it, and
// the view of the file the tester shows beside it (the same steps).
TExplained Explain(const std::string& params) {
  TPlugIn plugIn;
  return tool::ExplainWithView(plugIn, params);
}

// Each step's words, then the view's as steps of their own: each note as
// "note", the row past the last line as "past end".
std::vector<std::pair<std::string, std::string>> Words(const TExplained& explained) {
  std::vector<std::pair<std::string, std::string>> words;
  for (const TExplainStep& step : explained.Steps) words.emplace_back(step.Step, step.Detail);
  if (!explained.View.is_object() || !explained.View.value("available", false)) return words;
  for (const auto& note : explained.View["notes"]) words.emplace_back("note", note.get<std::string>());
  words.emplace_back("past end", explained.View.value("pastEnd", ""));
  return words;
}

bool Says(const TExplained& explained, const TFact& fact) {
  for (const auto& [step, detail] : Words(explained)) {
    if (step != fact.step) continue;
    bool all = true;
    for (const char* part : fact.says) all = all && detail.find(part) != std::string::npos;
    if (all) return !fact.absent;
  }
  return fact.absent;
}

TEST_F(ExplainTest, EachRuleIsNamedWhereItApplies) {
  std::filesystem::create_directory(Dir() / "folder");
  const std::string folder = PathOf("folder");
  const TExplainCase cases[] = {
      // The pairs of the parameter text.
      {"1\n2\n", "FILENAME=@| LINE=2", {{"pair", {"pair 2", "\" LINE\"", "blanks"}}, {"line", {"line 1"}}}},
      {"1\n", "FILENAME=@|Other=7|novalue||LINE=1",
       {{"pair", {"pair 2", "\"Other\"", "no key", "FILENAME, LINE, START, LENGTH"}},
        {"pair", {"pair 3", "no \"=\""}},
        {"pair", {"pair 4", "empty"}}}},
      {"1\n", "FILENAME=@|LINE=1=junk", {{"pair", {"pair 2", "\"1\"", "its own \"=\""}}}},
      {"1\n2\n", "FILENAME=@|LINE=1|line=2", {{"pair", {"pair 3", "overrides pair 2"}}, {"line", {"line 2"}}}},
      {"1\n", "FILENAME=@|LINE=abc", {{"pair", {"LINE", "\"abc\"", "integer"}}, {"answer", {"E_FAIL", "'abc'"}}}},
      {"1\n", "FILENAME=@|LINE", {{"pair", {"pair 2", "sets LINE", "no \"=\""}}, {"answer", {"''"}}}},
      // A key left out: the query's default, and the editor's where it differs.
      {"1\n", "FILENAME=@",
       {{"parameters", {"LINE 1 (default)", "START 1 (default)",
                        "LENGTH -1 (not in the parameter text: the cut goes to the end of the line; the host's editor "
                        "starts a new reading at 5)"}}}},
      {"1\n", "FILENAME=@|LENGTH=-1", {{"parameters", {"LENGTH -1"}}, {"parameters", {"editor"}, true}}},
      // The file test.
      {"", "LINE=2", {{"file", {"FILENAME is missing"}}, {"answer", {"Invalid Arguments"}}}},
      {"", "FILENAME=@.missing", {{"file", {"no such file"}}, {"answer", {"S_OK", "Invalid Arguments"}}}},
      {"1\n", "FILENAME=@*", {{"file", {"wildcard", "\"f.txt\"", "cannot succeed"}}, {"answer", {"E_FAIL", "open"}}}},
      // How the bytes were read.
      {"1\n", "FILENAME=@", {{"encoding", {"8-bit"}}}},
      {testing::Utf16(u"42.5\r\n"), "FILENAME=@", {{"encoding", {"UTF-16LE", "FF FE", "decoded to"}}}},
      {testing::Utf16(u"42.5", true), "FILENAME=@", {{"encoding", {"UTF-16BE", "FE FF"}}}},
      {"\xEF\xBB\xBF" "42.5\r\n", "FILENAME=@", {{"encoding", {"UTF-8 mark", "line 1", "START=4"}}}},
      {std::string("ab\0cdef", 7), "FILENAME=@", {{"end", {"zero byte at byte 3", "4 bytes after it"}}}},
      {testing::Utf16(u"42\r\n", false, true), "FILENAME=@",
       {{"end", {"byte 2", "looks like UTF-16LE", "without a mark"}}}},
      {testing::Utf16(u"42\r\n", true, true), "FILENAME=@", {{"end", {"byte 1", "looks like UTF-16BE"}}}},
      {testing::Utf16(std::u16string(u"1\0x", 3)), "FILENAME=@", {{"end", {"zero code unit", "bytes 5-6", "2 bytes"}}}},
      {testing::Utf16(u"42") + "5", "FILENAME=@", {{"end", {"last byte", "half a UTF-16 code unit"}}}},
      // The line.
      {"a\n", "FILENAME=@", {{"line", {"\"a\" (1 byte)"}}}},
      {"a\n\n", "FILENAME=@|LINE=0", {{"line", {"last line is empty", "after its last line break"}}}},
      {"a\nb\n", "FILENAME=@|LINE=6", {{"line", {"line 6", "2 lines"}}, {"answer", {"(5)"}}}},
      {"a\nb\n", "FILENAME=@|LINE=-1", {{"line", {"LINE=-1", "never", "2 lines", "only 0"}}, {"answer", {"(2)"}}}},
      {"", "FILENAME=@|LINE=0", {{"line", {"no lines"}}, {"answer", {"(-1)"}}}},
      {"a\nb\nlast", "FILENAME=@|LINE=0", {{"line", {"last line", "\"last\""}}}},
      // What the view says of the lines, for any count.
      {"", "FILENAME=@", {{"note", {"no lines"}}}},
      {"a\n", "FILENAME=@", {{"note", {"1 line:", "LINE=1 and LINE=0 both"}}, {"note", {"LINE=1 to"}, true}}},
      {"a\nb", "FILENAME=@", {{"note", {"2 lines:", "LINE=1 and LINE=2 select them"}}}},
      {"a\nb\nc\n", "FILENAME=@", {{"note", {"3 lines:", "LINE=1 to LINE=3 select them"}}}},
      {"a\nb\n", "FILENAME=@|LINE=2", {{"line", {"line 2", "2 lines read", "\"b\""}}}},
      // The cut.
      {"Temp: 42.5 C", "FILENAME=@|START=7|LENGTH=4",
       {{"cut", {"bytes 7-10", "\"42.5\""}}, {"number", {"\"42.5\"", "a number"}}, {"answer", {"kind 0", "42.5"}}}},
      {"Temp: 42.5 C", "FILENAME=@|START=-3|LENGTH=2", {{"cut", {"bytes 1-2", "below 1"}}}},
      {"Temp: 42.5 C", "FILENAME=@|START=20", {{"cut", {"nothing", "past the end", "12 bytes"}}, {"number", {"empty"}}}},
      {"Temp: 42.5 C", "FILENAME=@|LENGTH=-2", {{"cut", {"nothing", "negative LENGTH"}}}},
      {"Temp: 42.5 C", "FILENAME=@|START=7|LENGTH=99", {{"cut", {"bytes 7-12", "ends first"}}}},
      // The number test.
      {"Temp: 42.5 C", "FILENAME=@|START=7",
       {{"cut", {"to the end of the line"}}, {"number", {"\"42.5 C\"", "byte 6", "\"C\"", "separator"}},
        {"answer", {"kind 1", "\"42.5 C\""}}}},
      {"1e4999", "FILENAME=@", {{"number", {"beyond the range"}}}},
      // A cut that may not hold: inside a number, or not on other lines that look alike.
      {"Temp: 42.5\nTemp: 100.25\n", "FILENAME=@|LINE=2|START=7|LENGTH=4",
       {{"advice", {"\"100.\"", "\"100.25\"", "byte 11", "START=7 LENGTH=-1", "one other shown line"}}}},
      {"Temp: 42.5\nTemp: 100.25\n", "FILENAME=@|LINE=1|START=7|LENGTH=4",
       {{"advice", {"line 2", "\"100.\"", "START=7 LENGTH=-1"}}, {"answer", {"42.5"}}}},
      {"Temp: 42.5 C\nTemp: 100.25 C\n", "FILENAME=@|LINE=1|START=7|LENGTH=4",
       {{"advice", {"line 2", "no START and LENGTH", "other text follows"}}}},
      {"T=  42.5 C\nT= 100.25 C\nT=   9.5 C\n", "FILENAME=@|START=5|LENGTH=4",
       {{"advice", {"\"00.2\"", "START=4 LENGTH=6", "2 other shown lines"}}}},
      {"Temp: -5.0\n", "FILENAME=@|START=8|LENGTH=3", {{"advice", {"\"-5.0\"", "byte 7", "\"-\""}}}},
      {"12:00 T=42.5\r\n12:05 T=43.5\r\n", "FILENAME=@|LINE=0|START=9", {{"advice", {}, true}}},
      {"Sensor log\nTemp: 42.5 C\nTemp: 43.0 C\n", "FILENAME=@|LINE=2|START=7|LENGTH=4", {{"advice", {}, true}}},
      {"Temp: 42.5 C", "FILENAME=@|START=7", {{"advice", {}, true}}},
  };
  for (const TExplainCase& c : cases) {
    const std::string params = Params(c);
    SCOPED_TRACE(params);
    const TExplained explained = Explain(params);
    // A row of the tester's narrow list of lines.
    EXPECT_LE(explained.View.value("pastEnd", "").size(), 40u);
    for (const TFact& fact : c.facts) {
      std::string said = fact.absent ? " nothing: there should be none" : "";
      for (const char* part : fact.says) said += std::string(" [") + part + "]";
      EXPECT_TRUE(Says(explained, fact)) << fact.step << " should say" << said << "\n" << PlainExplanation(explained);
    }

    // The answer explained is the answer the host gets without an explanation.
    TPlugIn plain;
    const TQueryOutcome unexplained = AskQuery(plain, params);
    EXPECT_EQ(explained.Outcome.Result, unexplained.Result);
    EXPECT_EQ(explained.Outcome.ValueKind, unexplained.ValueKind);
    EXPECT_EQ(explained.Outcome.Text, unexplained.Text);
    EXPECT_EQ(explained.Outcome.Error, unexplained.Error);
    if (unexplained.Result == hr::Ok && unexplained.ValueKind == 0) {
      EXPECT_EQ(explained.Outcome.Number, unexplained.Number);
    }
  }
}

TEST_F(ExplainTest, AFolderAndAnOddStampAreNamedAsSuch) {
  std::filesystem::create_directory(Dir() / "folder");
  const std::string old = Write("old.txt", "1\n");
  const std::int64_t stamp = 315532800 - 10 * 86400;  // late 1979
  utimbuf times{static_cast<time_t>(stamp), static_cast<time_t>(stamp)};
  ASSERT_EQ(utime(old.c_str(), &times), 0);
  EXPECT_TRUE(Says(Explain("FILENAME=" + PathOf("folder")), {"file", {"a folder"}}));
  EXPECT_TRUE(Says(Explain("FILENAME=" + PathOf("fold*")), {"file", {"first match \"folder\"", "a folder"}}));
  EXPECT_TRUE(Says(Explain("FILENAME=" + old), {"file", {"1979", "outside 1980-2107"}}));
}

// Other systems' hosts, so that their words are tested on any machine.
std::size_t OneByteEach(std::string_view, std::size_t) noexcept { return 1; }
// Code page 932: a lead byte 81-9F or E0-FC and the byte after it.
std::size_t ShiftJis(std::string_view text, std::size_t at) noexcept {
  const auto lead = static_cast<unsigned char>(text[at]);
  const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
  return isLead && at + 1 < text.size() ? 2 : 1;
}
// Code page 1252 where it agrees with Latin-1, as far as these tests go.
std::string Latin1(std::u16string_view units) {
  std::string text;
  for (const char16_t unit : units) text.push_back(unit < 0x100 ? static_cast<char>(unit) : '?');
  return text;
}
constexpr platform::TNameLimits kWindowsNames{259, 255, false, "MAX_PATH"};
const explain::THost kCodePage1252{OneByteEach, 1252, "code page 1252", Latin1, kWindowsNames};
const explain::THost kCodePage932{ShiftJis, 932, "code page 932", Latin1, kWindowsNames};
const explain::THost kUtf8Windows{platform::Utf8CharacterSize, 65001, "code page 65001", Latin1, kWindowsNames};

TEST_F(ExplainTest, AFileThatCannotBeFoundOrOpenedIsToldInWordsAUserActsOn) {
  using platform::TFileFailure;
  const std::string longPath = "C:\\logs\\" + std::string(300, 'n') + ".txt";
  std::string wideName;  // 270 double-byte characters
  for (int i = 0; i < 270; ++i) wideName += "\x89\xB7";
  const std::string widePath = "C:\\" + wideName + ".txt";
  const struct {
    bool opened;  // present, then refused; else the search found nothing
    TFileFailure kind;
    std::string name;
    const explain::THost& host;
    std::vector<const char*> says;
    bool absent = false;  // none of SAYS appears
  } cases[] = {
      {true, TFileFailure::SharingViolation, "C:\\log.txt", kCodePage1252,
       {"present but cannot be opened", "another program has it open", "close the file after each write",
        "write a copy"}},
      {true, TFileFailure::AccessDenied, "C:\\log.txt", kCodePage1252, {"denies this user account", "Security tab"}},
      {true, TFileFailure::NameTooLong, longPath, kCodePage1252, {"312 characters", "at most 259 (MAX_PATH)", "shorter"}},
      {false, TFileFailure::NameTooLong, longPath, kCodePage1252, {"312 characters", "259 (MAX_PATH)"}},
      {false, TFileFailure::NameTooLong, widePath, kCodePage932, {"277 characters"}},
      {false, TFileFailure::NameTooLong, "C:\\" + std::string(256, 'n'), kCodePage1252,
       {"one part of its name is 256 characters", "at most 255"}},
      {true, TFileFailure::InvalidName, "C:\\logs\\??.txt", kCodePage1252,
       {"no file name can hold \"?\"", "character that code page 1252 lacks", "language for non-Unicode programs"}},
      {false, TFileFailure::NotFound, "C:\\logs\\??.txt", kCodePage932, {"code page 932 lacks"}},
      {true, TFileFailure::InvalidName, "C:\\logs\\??.txt", kUtf8Windows, {"lacks"}, true},
      {true, TFileFailure::InvalidName, "C:\\logs\\*.txt", kCodePage1252, {"\"*\"", "wildcard"}},
      {true, TFileFailure::NotFound, "C:\\log.txt", kCodePage1252, {"gone by the time it was opened"}},
      {true, TFileFailure::Other, "C:\\log.txt", kCodePage1252, {"(code 1234)"}},
      {false, TFileFailure::NotFound, "C:\\log.txt", kCodePage1252, {}},  // a missing file: nothing to add
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name.substr(0, 20) + " " + explain::FailureName(c.kind));
    const std::string said = c.opened ? explain::OpenFailureDetail(c.name, {c.name, 1234, c.kind}, c.host)
                                      : explain::NotFoundReason(c.name, c.name, c.kind, c.host);
    for (const char* part : c.says) EXPECT_EQ(said.find(part) == std::string::npos, c.absent) << part << "\n" << said;
    if (c.says.empty()) {
      EXPECT_EQ(said, "");
    }
  }

  // On this system: a name too long to look for, and a file the system will not let even root read.
  const std::string tooLong = PathOf(std::string(300, 'n') + ".txt");
  EXPECT_TRUE(Says(Explain("FILENAME=" + tooLong), {"file", {"not found", "Invalid Arguments", " long, and the system takes", "shorter path"}}))
      << PlainExplanation(Explain("FILENAME=" + tooLong));
  const std::string writeOnly = "/proc/sys/vm/drop_caches";
  if (std::filesystem::exists(writeOnly) && !std::ifstream(writeOnly)) {
    const TExplained explained = Explain("FILENAME=" + writeOnly);
    EXPECT_TRUE(Says(explained, {"file", {"present"}}));
    EXPECT_TRUE(Says(explained, {"open", {"present but cannot be opened", "denies this user account"}}))
        << PlainExplanation(explained);
    EXPECT_EQ(explained.Steps.at(3).Values.value("failure", ""), "access denied");
  }
}

// PARAMS explained on HOST's system: the query run with an explanation of
// its own, as the plug-in object runs it, the view read after it.
TExplained ExplainAs(const explain::THost& host, const std::string& params) {
  explain::TExplanation explanation(&host);
  TQueryRun run;
  TQueryOutcome outcome;
  std::uint64_t size = 0;
  try {
    const TDataAnswer answer = run.Answer(std::string_view(params), &explanation);
    outcome.ValueKind = answer.IsNumber ? descriptor::kNumberKind : descriptor::kTextKind;
    outcome.Number = answer.Number;
    outcome.Text = answer.Text.substr(0, std::min(answer.Text.size(), kQuotedBytes));
    size = answer.Text.size();
  } catch (const std::exception& failure) {
    outcome.Result = hr::Fail;
    outcome.Error = failure.what();
  }
  std::optional<TFileView> view;
  if (run.OpenFile()) view = ReadFileView(*run.OpenFile(), run.FileName(), run.Facts());
  const std::optional<explain::TCutAdvice> advice = explanation.Advise(view ? &*view : nullptr);
  TExplained explained;
  explained.Steps = tool::StepsOf(explanation.StepsJson(outcome, size));
  if (view) {
    explained.View = TJson::parse(explain::FileViewJson(*view, advice, host));
    tool::BackToBytes(explained.View);
  }
  return explained;
}

// No step quotes part of a character: of UTF-8, or of code page 932, whose
// second byte of a character may be an ASCII letter ("度" is 93 78, "x").
// And UTF-8 text in an 8-bit file is told where the host's code page shows
// it otherwise.
TEST_F(ExplainTest, TheHostsCharactersAreQuotedWholeAndUtf8TextIsToldAsSuch) {
  const explain::THost kUtf8{platform::Utf8CharacterSize, 65001, "UTF-8", Latin1, kWindowsNames};
  const std::string temp = "Temp \xE6\xB8\xA9" "12.5";  // "温" at bytes 6-8
  const std::string sjis = "T=\x89\xB7\x93\x78" "12";  // "温" at bytes 3-4, "度" at 5-6
  const std::string wide = std::string(4095, 'a') + "\xE6\xB8\xA9" + std::string(3000, 'b');
  const struct {
    const explain::THost& host;
    std::string content;
    const char* params;
    std::vector<TFact> facts;
  } cases[] = {
      {kUtf8, temp, "|START=7|LENGTH=6",
       {{"cut", {"bytes 7-12 of the line: the last 2 bytes of \"\xE6\xB8\xA9\", then \"12.5\"",
                 "the cut begins inside the character \"\xE6\xB8\xA9\" (bytes 6-8), so the host gets part of it"}},
        {"number", {"the cut is text", "at byte 1 (part of \"\xE6\xB8\xA9\", bytes 6-8 of the line)"}},
        {"answer", {"text made of the last 2 bytes of \"\xE6\xB8\xA9\", then \"12.5\""}}}},
      {kUtf8, temp, "|START=1|LENGTH=7",
       {{"cut", {"\"Temp \", then the first 2 bytes of \"\xE6\xB8\xA9\"", "the cut ends inside the character"}}}},
      {kUtf8, temp, "|START=7|LENGTH=1", {{"cut", {": byte 2 of \"\xE6\xB8\xA9\"", "begins and ends inside"}}}},
      {kUtf8, temp, "|START=6|LENGTH=4",
       {{"cut", {"inside"}, true}, {"number", {"\"\xE6\xB8\xA9" "1\" is text", "at byte 1 (\"\xE6\xB8\xA9\", bytes 1-3)"}}}},
      {kUtf8, wide, "", {{"line", {"(7098 bytes, the first 4095 quoted)"}}}},
      {kUtf8, wide, "|START=2", {{"cut", {"(7097 bytes, the first 4094 quoted)"}}, {"answer", {"the first 4094 quoted"}}}},
      {kCodePage932, sjis, "|START=6|LENGTH=3",
       {{"cut", {"the last byte of \"\x93\x78\", then \"12\"", "begins inside the character \"\x93\x78\" (bytes 5-6)"}},
        {"number", {"at byte 1 (part of \"\x93\x78\", bytes 5-6 of the line)"}}}},
      {kCodePage932, sjis, "|START=3|LENGTH=2", {{"cut", {": \"\x89\xB7\""}}, {"cut", {"inside"}, true}}},
      {kCodePage932, sjis, "|START=3",
       {{"number", {"at byte 1 (\"\x89\xB7\", bytes 1-2)"}}}},
      {kCodePage1252, sjis, "|START=6|LENGTH=3", {{"cut", {": \"x12\""}}, {"cut", {"inside"}, true}}},
      // UTF-8 text, "°" written as C2 B0, shown in another code page.
      {kCodePage1252, "Temp: 21.5 \xC2\xB0" "C", "",
       {{"utf-8", {"the line is UTF-8 text", "has no UTF-8 mark", "as they are",
                   "\"\xB0\" (U+00B0) is written as the 2 bytes C2 B0, which code page 1252 shows as \"\xC2\xB0\"",
                   "save the file as UTF-16", "\"UTF-16 LE\"", "-Encoding Unicode", "decodes to code page 1252",
                   "\"ANSI\""}},
        {"note", {"line 1 is UTF-8 text", "C2 B0"}}}},
      {kCodePage1252, "\xEF\xBB\xBFTemp: 21.5 \xC2\xB0" "C\n", "",
       {{"utf-8", {"begins with a UTF-8 mark, which stays part of line 1", "U+00B0"}}}},
      {kCodePage1252, "x\nT \xE6\xB8\xA9\n", "|LINE=0",
       {{"utf-8", {"U+6E29 is written as the 3 bytes E6 B8 A9", "\"\xE6\xB8\xA9\"", "has no such character"}}}},
      // In code page 932, E6 B8 is one character: the bytes shown are whole characters of it.
      {kCodePage932, "\xC2\xB0" "1\xE6\xB8\xA9", "", {{"utf-8", {"shows as \"\xC2\xB0\""}}}},
      {kCodePage932, "\xE3\x81\x82" "1", "", {{"utf-8", {"E3 81 82", "shows as \"\xE3\x81\x82" "1\""}}}},
      {kCodePage1252, "\xEF\xBB\xBF" "21.5\n", "", {{"utf-8", {}, true}}},  // the mark alone: the encoding step's
      {kCodePage1252, "21.5 \xB0" "C \xC2\xB0", "", {{"utf-8", {}, true}}},   // a byte outside UTF-8: code page text
      {kUtf8, "21.5 \xC2\xB0" "C", "", {{"utf-8", {}, true}, {"note", {"UTF-8 text"}, true}}},
      {kCodePage1252, testing::Utf16(u"21.5 \u00B0C"), "", {{"utf-8", {}, true}}},
      // Another line that looks alike, where the same cut ends inside a character.
      {kCodePage932, "42.5 \x89\xB7\n45 \x89\xB7\n", "|LINE=1|START=1|LENGTH=4",
       {{"advice", {"on line 2 the same cut gives text made of \"45 \", then the first byte of \"\x89\xB7\""}}}},
  };
  for (const auto& c : cases) {
    const std::string params = "FILENAME=" + Write("f.txt", c.content) + c.params;
    SCOPED_TRACE(std::string(c.params) + " on " + c.host.TextName);
    const TExplained explained = ExplainAs(c.host, params);
    for (const TFact& fact : c.facts) {
      EXPECT_TRUE(Says(explained, fact)) << fact.step << "\n" << PlainExplanation(explained).substr(0, 3000);
    }
  }
}

TEST(ExplainJson, EachStepIsAnObjectWithItsValues) {
  const TExplained explained = Explain("LINE=2| START=3");
  const std::string& json = explained.StepsJson;
  for (const char* fragment : {R"({"step":"pair","detail":"pair 1 \"LINE=2\": sets LINE)", R"("sets":"LINE"})",
                               R"("use":"blank around key")", R"({"step":"answer")", R"("hr":"S_OK","kind":1,)"}) {
    EXPECT_NE(json.find(fragment), std::string::npos) << fragment << "\n" << json;
  }
  // Each key whose two defaults differ, given or not, with words a field can show beside it.
  const TJson& defaults = explained.Steps.at(2).Values["defaults"];
  EXPECT_EQ(defaults, TJson::parse(R"({
    "FILENAME": {"query": "", "editor": "MyTestFile.txt", "detail": "left out of the parameter text, FILENAME is empty: there is no file to read and the answer is \"Invalid Arguments\"; the host's editor starts a new reading at \"MyTestFile.txt\""},
    "LENGTH": {"query": -1, "editor": "5", "detail": "left out of the parameter text, LENGTH is -1: the cut goes to the end of the line; the host's editor starts a new reading at 5"}})"));
}

}  // namespace
}  // namespace filedata::tool
