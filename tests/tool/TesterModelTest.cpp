// What the tester shows, without its window: the fields from the plug-in's
// own tables, the parameter text built from them, and the reading's words.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "plugin/PlugIn.h"
#include "tests/support/HostTexts.h"
#include "tests/support/ScratchFolder.h"
#include "tools/tester/TesterModel.h"

namespace filedata::tester {
namespace {

std::vector<TParamField> PlugInFields() {
  TPlugIn plugIn;
  return FieldsOf(tool::Describe(plugIn, tool::TLastErrorQuestion::Skip), "CNAE");
}

tool::TExplained Explain(const std::string& params) {
  TPlugIn plugIn;
  return tool::Explain(plugIn, params);
}

TEST(TesterModel, FieldsComeFromThePlugInsTablesWithFreeMnemonics) {
  const std::vector<TParamField> fields = PlugInFields();
  ASSERT_EQ(fields.size(), 4u);
  const struct {
    const testing::TExpectedParam& param;
    const char* key;
    const char* label;  // Length: L, e and n are taken
    TParamTable table;
    bool picksFile;
  } cases[] = {
      {testing::kExpectedBasicParams[0], "FILENAME", "&Filename", TParamTable::Basic, true},
      {testing::kExpectedBasicParams[1], "LINE", "&Line", TParamTable::Basic, false},
      {testing::kExpectedAdvancedParams[0], "START", "&Start", TParamTable::Advanced, false},
      {testing::kExpectedAdvancedParams[1], "LENGTH", "Len&gth", TParamTable::Advanced, false},
  };
  for (std::size_t i = 0; i < fields.size(); ++i) {
    EXPECT_EQ(fields[i].Name, cases[i].param.Name);
    EXPECT_EQ(fields[i].Default, cases[i].param.Default);
    EXPECT_EQ(fields[i].Description, cases[i].param.Description);
    EXPECT_EQ(fields[i].Key, cases[i].key);
    EXPECT_EQ(LabelOf(fields[i]), cases[i].label);
    EXPECT_EQ(fields[i].Table, cases[i].table);
    EXPECT_EQ(fields[i].PicksFile, cases[i].picksFile);
  }
  EXPECT_EQ(DefaultValues(fields), (std::vector<std::string>{"MyTestFile.txt", "1", "1", "5"}));
  // Beside a field, the plug-in's own words where its two defaults differ.
  const tool::TExplained reading = Explain("FILENAME=x");
  EXPECT_NE(FieldHelp(fields[3], reading).find("LENGTH is -1: the cut goes to the end of the line; the host's editor "
                                               "starts a new reading at 5"),
            std::string::npos)
      << FieldHelp(fields[3], reading);
  EXPECT_EQ(FieldHelp(fields[1], reading), fields[1].Description + " (default \"1\")");
  EXPECT_EQ(FieldHelp(fields[3], tool::TExplained()), fields[3].Description + " (default \"5\")")
      << "a plug-in that cannot explain";
}

TEST(TesterModel, TheParameterTextIsBuiltAndReadAsAHostDoes) {
  const std::vector<TParamField> fields = PlugInFields();
  const struct {
    std::vector<std::string> values;  // FILENAME, LINE, START, LENGTH
    const char* text;
  } built[] = {
      {{"c:\\logs\\temp.txt", "0", "7", "4"}, "FILENAME=c:\\logs\\temp.txt|LINE=0|START=7|LENGTH=4"},
      {{"a.txt", "", "", "2"}, "FILENAME=a.txt|LENGTH=2"},
      {{"", "", "", ""}, ""},
  };
  for (const auto& c : built) EXPECT_EQ(ParamText(fields, c.values), c.text);
  const struct {
    const char* params;
    std::vector<std::string> values;
  } read[] = {
      {"FILENAME=c:\\t.txt|LINE=0|START=7|LENGTH=4", {"c:\\t.txt", "0", "7", "4"}},
      {"filename=a.txt|Line=2|line=3", {"a.txt", "3", "", ""}},
      {"FILENAME=a=b|OTHER=9| LINE=2|START", {"a", "", "", ""}},
      {"", {"", "", "", ""}},
  };
  // The fields take what the plug-in itself read from each pair.
  for (const auto& c : read) EXPECT_EQ(ValuesFrom(fields, Explain(c.params)), c.values) << c.params;
}

class TesterReadingTest : public testing::ScratchFolderTest {};

TEST_F(TesterReadingTest, AReadingSaysWhatItIsAndWhichStepDecidedIt) {
  const std::string file = Write("t.txt", "Temp: 42.5 C\r\n");
  const struct {
    std::string params;
    TReadingView view;
    const char* decidingStep;
  } cases[] = {
      {"FILENAME=" + file + "|START=7|LENGTH=4", {"42.5", "Number, S_OK"}, "number"},
      {"FILENAME=" + file + "|START=7", {"42.5 C", "Text, S_OK"}, "number"},
      {"FILENAME=" + file + "|START=99", {"", "Empty text, S_OK"}, "number"},
      {"FILENAME=" + file + ".missing", {"Invalid Arguments", "Text, S_OK"}, "file"},
      {"FILENAME=" + file + "|LINE=9", {"", "E_FAIL: List index out of bounds (8)"}, "line"},
      {"FILENAME=" + file + "|LINE=x", {"", "E_FAIL: 'x' is not a valid integer value"}, "pair"},
      {"FILENAME=" + file + "|START=8|LENGTH=3", {"2.5", "Number, S_OK"}, "number"},  // advice follows it
  };
  for (const auto& c : cases) {
    const tool::TExplained explained = Explain(c.params);
    EXPECT_EQ(ViewOf(explained.Outcome), c.view) << c.params;
    EXPECT_EQ(explained.Steps.at(DecidingStep(explained)).Step, c.decidingStep) << c.params;
  }
}

TEST_F(TesterReadingTest, TheFilesLinesAreListedAsThePlugInReadThem) {
  const std::string file = Write("log.txt", "Sensor log\r\nTemp: 42.5\r\nTemp: 100.25\r\n");
  const struct {
    const char* params;
    std::vector<std::string> labels;  // of the rows, the note past the last line unlabelled
    std::size_t selected;
    std::optional<std::pair<std::size_t, std::size_t>> cut;
    std::optional<std::pair<std::int64_t, std::int64_t>> sturdier;
  } cases[] = {
      {"|LINE=3|START=7|LENGTH=4", {"1", "2", "3 | 0", ""}, 2, std::make_pair(6, 4), std::make_pair(7, -1)},
      {"|LINE=0|START=7", {"1", "2", "3 | 0", ""}, 2, std::make_pair(6, 6), std::nullopt},
      {"|LINE=9", {"1", "2", "3 | 0", ""}, std::string::npos, std::nullopt, std::nullopt},
      {".missing", {}, std::string::npos, std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.params);
    TPlugIn plugIn;
    const tool::TExplained explained = tool::ExplainWithView(plugIn, "FILENAME=" + file + c.params);
    const TShownFile shown = ShownFileOf(explained.View);
    std::vector<std::string> labels;
    for (const TLineRow& row : shown.Rows) labels.push_back(LineLabel(row));
    EXPECT_EQ(labels, c.labels);
    EXPECT_EQ(SelectedRow(shown, explained), c.selected);
    EXPECT_EQ(CutBytes(explained), c.cut);
    EXPECT_EQ(shown.Sturdier, c.sturdier);
    EXPECT_EQ(shown.Fragile, c.sturdier.has_value());
    if (shown.Rows.size() < 3) continue;
    EXPECT_EQ(LineValueOf(shown.Rows[2], true), "0") << "the last line, counted from the end";
    EXPECT_EQ(LineValueOf(shown.Rows[2], false), "3");
    EXPECT_EQ(LineValueOf(shown.Rows[1], true), "2") << "only the last line counts from the end";
    EXPECT_EQ(LineValueOf(shown.Rows.back(), false), std::nullopt) << "the note past the last line";
  }
}

TEST(TesterModel, ColumnsNeverSplitACharacterAndTheRulerStandsUnderEachByte) {
  // "a", a double-byte character (bytes 2-3), "b", a surrogate pair of four
  // UTF-8 bytes (4-7, two columns), "c": the columns a field shows them in.
  TLineColumns columns;
  columns.Add(0, 1);
  columns.Add(1, 1);
  columns.Add(3, 1);
  columns.Add(4, 2);
  columns.Add(8, 1);
  columns.End(9);
  const struct {
    std::size_t start, end;           // columns chosen
    std::size_t firstByte, endByte;   // bytes taken
  } spans[] = {
      {0, 1, 0, 1}, {1, 2, 1, 3}, {0, 6, 0, 9}, {3, 4, 4, 8} /* half a pair takes it whole */, {4, 5, 4, 8},
      {5, 9, 8, 9} /* past the end */, {2, 2, 3, 3},
  };
  for (const auto& c : spans) {
    EXPECT_EQ(columns.BytesOf(c.start, c.end), std::make_pair(c.firstByte, c.endByte)) << c.start << "-" << c.end;
  }
  const struct {
    std::size_t firstByte, endByte;
    std::size_t start, end;
  } cuts[] = {
      {0, 1, 0, 1}, {2, 3, 1, 2} /* a cut from inside a character shows all of it */, {1, 2, 1, 2}, {5, 6, 3, 5},
      {0, 9, 0, 6}, {9, 9, 6, 6}, {4, 4, 3, 3},
  };
  for (const auto& c : cuts) {
    EXPECT_EQ(columns.ColumnsOf(c.firstByte, c.endByte), std::make_pair(c.start, c.end)) << c.firstByte;
  }
  // Columns 8 pixels wide, the double-byte character and the pair 16.
  const std::vector<TRulerMark> marks = RulerMarks(columns, {0, 8, 24, 32, 40, 48, 56});
  const std::vector<TRulerMark> expected{{0, 1, true},   {8, 2, false},  {16, 3, false}, {24, 4, false}, {32, 5, false},
                                         {36, 6, false}, {40, 7, false}, {44, 8, false}, {48, 9, false}};
  EXPECT_EQ(marks, expected);
  EXPECT_TRUE(RulerMarks(TLineColumns(), {}).empty());
  EXPECT_EQ(LocalNumber("100.25", ","), "100,25");
  EXPECT_EQ(LocalNumber("-1.5e+20", ","), "-1,5e+20");
  EXPECT_EQ(LocalNumber("42", ","), "42");
  EXPECT_EQ(CutValuesOf(6, 4, false), std::make_pair(std::string("7"), std::string("4")));
  EXPECT_EQ(CutValuesOf(6, 6, true), std::make_pair(std::string("7"), std::string("-1")));
}

TEST(TesterModel, TheIntervalAndTheCommandLine) {
  const struct {
    const char* typed;
    unsigned seconds;  // 0: refused
  } intervals[] = {{"1", 1}, {"60", 60}, {"3600", 3600}, {"0", 0}, {"3601", 0}, {"", 0}, {"1.5", 0}, {"-2", 0}};
  for (const auto& c : intervals) EXPECT_EQ(IntervalSeconds(c.typed).value_or(0), c.seconds) << c.typed;

  std::string error;
  const auto both = ParseTesterCommandLine({"--dll", "C:\\p\\QeltGen_Filedata.dll", "FILENAME=x|LINE=0"}, error);
  ASSERT_TRUE(both) << error;
  EXPECT_EQ(both->DllPath, "C:\\p\\QeltGen_Filedata.dll");
  EXPECT_EQ(both->Params, "FILENAME=x|LINE=0");
  const auto none = ParseTesterCommandLine({}, error);
  ASSERT_TRUE(none);
  EXPECT_FALSE(none->DllPath || none->Params);
  for (const std::vector<std::string>& misuse : {std::vector<std::string>{"--dll"}, {"--bogus"}, {"P", "Q"}}) {
    EXPECT_FALSE(ParseTesterCommandLine(misuse, error)) << ::testing::PrintToString(misuse);
  }
}

}  // namespace
}  // namespace filedata::tester
