#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "plugin/PlugIn.h"
#include "tests/support/HostTexts.h"

namespace filedata {
namespace {

constexpr std::int32_t kItemIndexes[] = {0, 1, -1, INT32_MIN, INT32_MAX};

std::string LastError(TPlugIn& plugIn) {
  const char* text = nullptr;
  EXPECT_EQ(plugIn.GetLastErrorText(&text), hr::Ok);
  return text ? text : "(null)";
}

TEST(Descriptor, ConstantAnswers) {
  TPlugIn plugIn;
  const char* text = nullptr;
  std::uint16_t word = 0;
  std::int32_t count = 0;
  EXPECT_EQ(plugIn.GetName(&text), hr::Ok);
  EXPECT_STREQ(text, testing::kExpectedName);
  EXPECT_EQ(plugIn.GetVersionA(&word), hr::Ok);
  EXPECT_EQ(word, testing::kExpectedVersionA);
  EXPECT_EQ(plugIn.GetVersionB(&word), hr::Ok);
  EXPECT_EQ(word, testing::kExpectedVersionB);
  EXPECT_EQ(plugIn.GetAboutCount(&count), hr::Ok);
  EXPECT_EQ(count, 4);
  EXPECT_EQ(plugIn.GetDataCount(&count), hr::Ok);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(plugIn.GetUpdateLocation(&text), hr::Ok);
  EXPECT_STREQ(text, testing::kExpectedUpdateLocation);
  for (const std::int32_t item : kItemIndexes) {
    std::uint8_t flags = 9;
    count = 0;
    EXPECT_EQ(plugIn.GetParamCount(item, &count), hr::Ok);
    EXPECT_EQ(count, 2) << item;
    count = 0;
    EXPECT_EQ(plugIn.GetAdvancedParamCount(item, &count), hr::Ok);
    EXPECT_EQ(count, 2) << item;
    EXPECT_EQ(plugIn.GetEditorFlags(item, &flags), hr::Ok);
    EXPECT_EQ(flags, 0) << item;
  }
}

// One table lookup with up to three text outputs; unused ones stay as given.
using Lookup = std::function<HResult(TPlugIn&, std::int32_t index, std::int32_t item, const char** out)>;

const Lookup kAbout = [](TPlugIn& e, std::int32_t i, std::int32_t, const char** out) {
  return e.GetAboutItem(i, &out[0], &out[1]);
};
const Lookup kData = [](TPlugIn& e, std::int32_t i, std::int32_t, const char** out) {
  std::uint8_t kind = 0;
  const HResult result = e.GetDataInfo(i, &out[0], &kind);
  EXPECT_EQ(kind, 2) << "kind is written whatever the index";
  return result;
};
const Lookup kBasic = [](TPlugIn& e, std::int32_t i, std::int32_t item, const char** out) {
  return e.GetParamInfo(item, i, &out[0], &out[1], &out[2]);
};
const Lookup kAdvanced = [](TPlugIn& e, std::int32_t i, std::int32_t item, const char** out) {
  return e.GetAdvancedParamInfo(item, i, &out[0], &out[1], &out[2]);
};

constexpr char kUnwritten[] = "unwritten";

struct RowCase {
  const char* table;
  const Lookup* lookup;
  std::int32_t index;
  const char* expected[3];
};

TEST(Descriptor, RowsAreTheExactTextsForAnyItemIndex) {
  std::vector<RowCase> cases;
  for (std::int32_t i = 0; i < 4; ++i) {
    cases.push_back({"about", &kAbout, i, {testing::kExpectedAbout[i].Key, testing::kExpectedAbout[i].Value, kUnwritten}});
  }
  cases.push_back({"data", &kData, 0, {testing::kExpectedDataItem, kUnwritten, kUnwritten}});
  for (std::int32_t i = 0; i < 2; ++i) {
    const testing::TExpectedParam& basic = testing::kExpectedBasicParams[i];
    const testing::TExpectedParam& advanced = testing::kExpectedAdvancedParams[i];
    cases.push_back({"basic", &kBasic, i, {basic.Name, basic.Default, basic.Description}});
    cases.push_back({"advanced", &kAdvanced, i, {advanced.Name, advanced.Default, advanced.Description}});
  }
  for (const auto& c : cases) {
    for (const std::int32_t item : kItemIndexes) {
      TPlugIn plugIn;
      const char* out[3] = {kUnwritten, kUnwritten, kUnwritten};
      EXPECT_EQ((*c.lookup)(plugIn, c.index, item, out), hr::Ok) << c.table << " " << c.index;
      for (int i = 0; i < 3; ++i) EXPECT_STREQ(out[i], c.expected[i]) << c.table << " " << c.index << " " << i;
      EXPECT_EQ(LastError(plugIn), "No error") << "a successful lookup leaves the last-error text alone";
    }
  }
}

TEST(Descriptor, IndexOutsideATableFailsAndWritesNoText) {
  const struct {
    const char* table;
    const Lookup* lookup;
    std::int32_t index;
  } cases[] = {
      {"about", &kAbout, -1},       {"about", &kAbout, 4},         {"about", &kAbout, INT32_MIN},
      {"about", &kAbout, INT32_MAX}, {"data", &kData, 1},           {"data", &kData, -1},
      {"basic", &kBasic, 2},        {"basic", &kBasic, -1},        {"advanced", &kAdvanced, 2},
      {"advanced", &kAdvanced, -1}, {"advanced", &kAdvanced, INT32_MAX},
  };
  for (const auto& c : cases) {
    TPlugIn plugIn;
    const char* out[3] = {kUnwritten, kUnwritten, kUnwritten};
    EXPECT_EQ((*c.lookup)(plugIn, c.index, 0, out), hr::Fail) << c.table << " " << c.index;
    for (const char* text : out) EXPECT_EQ(text, kUnwritten) << c.table << " " << c.index;
    EXPECT_EQ(LastError(plugIn), "Index out of bounds") << c.table << " " << c.index;
  }
}

TEST(Descriptor, NullOutPointerWritesNothingAndLeavesTheLastErrorAlone) {
  struct Outputs {
    const char* text[2] = {kUnwritten, kUnwritten};
    std::uint8_t byte = 9;
    double number = -1;
  };
  using Call = std::function<HResult(TPlugIn&, Outputs&)>;
  const struct {
    const char* operation;
    Call call;
  } cases[] = {
      {"GetVersionA", [](auto& e, auto&) { return e.GetVersionA(nullptr); }},
      {"GetLastErrorText", [](auto& e, auto&) { return e.GetLastErrorText(nullptr); }},
      {"GetAboutItem key", [](auto& e, auto& o) { return e.GetAboutItem(0, nullptr, &o.text[1]); }},
      {"GetAboutItem bad index", [](auto& e, auto& o) { return e.GetAboutItem(9, &o.text[0], nullptr); }},
      {"GetDataInfo name", [](auto& e, auto& o) { return e.GetDataInfo(1, nullptr, &o.byte); }},
      {"GetDataInfo kind", [](auto& e, auto& o) { return e.GetDataInfo(0, &o.text[0], nullptr); }},
      {"GetData item name", [](auto& e, auto& o) { return e.GetData(0, "", nullptr, &o.byte, &o.text[0], &o.number); }},
      {"GetData kind", [](auto& e, auto& o) { return e.GetData(0, "", &o.text[0], nullptr, &o.text[1], &o.number); }},
      {"GetData text", [](auto& e, auto& o) { return e.GetData(0, "", &o.text[0], &o.byte, nullptr, &o.number); }},
      {"GetData number", [](auto& e, auto& o) { return e.GetData(1, "", &o.text[0], &o.byte, &o.text[1], nullptr); }},
      {"ExplainData steps",
       [](auto& e, auto& o) { return e.ExplainData(0, "", &o.text[0], &o.byte, &o.text[1], &o.number, nullptr); }},
      {"ExplainData text",
       [](auto& e, auto& o) { return e.ExplainData(1, "", &o.text[0], &o.byte, nullptr, &o.number, &o.text[1]); }},
      {"GetParamCount", [](auto& e, auto&) { return e.GetParamCount(0, nullptr); }},
      {"GetParamInfo", [](auto& e, auto& o) { return e.GetParamInfo(0, 5, &o.text[0], &o.text[1], nullptr); }},
      {"GetAdvancedParamInfo",
       [](auto& e, auto& o) { return e.GetAdvancedParamInfo(0, 0, &o.text[0], nullptr, &o.text[1]); }},
      {"GetEditorFlags", [](auto& e, auto&) { return e.GetEditorFlags(0, nullptr); }},
      {"GetParamEditor kind", [](auto& e, auto& o) { return e.GetParamEditor(0, "FILENAME", nullptr, &o.text[0]); }},
      {"GetParamEditor text", [](auto& e, auto& o) { return e.GetParamEditor(0, "Line", &o.byte, nullptr); }},
  };
  for (const auto& c : cases) {
    TPlugIn plugIn;
    Outputs outputs;
    EXPECT_EQ(c.call(plugIn, outputs), hr::Pointer) << c.operation;
    EXPECT_EQ(outputs.text[0], kUnwritten) << c.operation;
    EXPECT_EQ(outputs.text[1], kUnwritten) << c.operation;
    EXPECT_EQ(outputs.byte, 9) << c.operation;
    EXPECT_EQ(outputs.number, -1) << c.operation;
    EXPECT_EQ(LastError(plugIn), "No error") << c.operation;
  }
}

TEST(Descriptor, ParamEditorKnowsTheFileNameWhateverItsAsciiCase) {
  TPlugIn plugIn;
  const struct {
    const char* name;
    std::uint8_t kind;
    const char* text;
  } cases[] = {
      {"filename", 5, ""},          {"FileName", 5, ""},          {"FILENAME", 5, ""},
      {"Line", 0, kUnwritten},      {"", 0, kUnwritten},          {nullptr, 0, kUnwritten},
      {"FILENAME ", 0, kUnwritten}, {" FILENAME", 0, kUnwritten}, {"FILE", 0, kUnwritten},
      {"F\xC9LENAME", 0, kUnwritten}, {"f\xEDlename", 0, kUnwritten},
  };
  for (const auto& c : cases) {
    for (const std::int32_t item : kItemIndexes) {
      std::uint8_t kind = 9;
      const char* text = kUnwritten;
      const std::string shown = c.name ? c.name : "(null)";
      EXPECT_EQ(plugIn.GetParamEditor(item, c.name, &kind, &text), hr::Ok) << shown;
      EXPECT_EQ(kind, c.kind) << shown;
      // Pointer identity: a text left alone is the caller's own.
      if (c.text == kUnwritten) {
        EXPECT_EQ(text, kUnwritten) << shown;
      } else {
        EXPECT_STREQ(text, c.text) << shown;
      }
    }
  }
}

}  // namespace
}  // namespace filedata
