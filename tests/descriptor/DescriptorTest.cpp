#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>

#include "descriptor/Descriptor.h"

namespace filedata {
namespace {

constexpr std::int32_t kItemIndexes[] = {0, 1, -1, INT32_MIN, INT32_MAX};

std::string LastError(TDescriptor& plugIn) {
  const char* text = nullptr;
  EXPECT_EQ(plugIn.GetLastErrorText(&text), hr::Ok);
  return text ? text : "(null)";
}

TEST(Descriptor, ConstantAnswers) {
  TDescriptor plugIn;
  const char* text = nullptr;
  std::uint16_t word = 0;
  std::int32_t count = 0;
  EXPECT_EQ(plugIn.GetName(&text), hr::Ok);
  EXPECT_STREQ(text, "Filedata");
  EXPECT_EQ(plugIn.GetVersionA(&word), hr::Ok);
  EXPECT_EQ(word, 501);
  EXPECT_EQ(plugIn.GetVersionB(&word), hr::Ok);
  EXPECT_EQ(word, 500);
  EXPECT_EQ(plugIn.GetAboutCount(&count), hr::Ok);
  EXPECT_EQ(count, 4);
  EXPECT_EQ(plugIn.GetDataCount(&count), hr::Ok);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(plugIn.GetUpdateLocation(&text), hr::Ok);
  EXPECT_STREQ(text, "http://qelt.example.com/update/filedata.upd");
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
using Lookup = std::function<HResult(TDescriptor&, std::int32_t index, std::int32_t item, const char** out)>;

const Lookup kAbout = [](TDescriptor& e, std::int32_t i, std::int32_t, const char** out) {
  return e.GetAboutItem(i, &out[0], &out[1]);
};
const Lookup kData = [](TDescriptor& e, std::int32_t i, std::int32_t, const char** out) {
  std::uint8_t kind = 0;
  const HResult result = e.GetDataInfo(i, &out[0], &kind);
  EXPECT_EQ(kind, 2) << "kind is written whatever the index";
  return result;
};
const Lookup kBasic = [](TDescriptor& e, std::int32_t i, std::int32_t item, const char** out) {
  return e.GetParamInfo(item, i, &out[0], &out[1], &out[2]);
};
const Lookup kAdvanced = [](TDescriptor& e, std::int32_t i, std::int32_t item, const char** out) {
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
  const RowCase cases[] = {
      {"about", &kAbout, 0, {"Programmed By", "Filedata plug-in authors", kUnwritten}},
      {"about", &kAbout, 1, {"Created", "November 4th, 2003", kUnwritten}},
      {"about", &kAbout, 2, {"Updated", "June, 30th 2004", kUnwritten}},
      {"about", &kAbout, 3, {"Copyright", "Copyright (c) 2026 Filedata plug-in authors", kUnwritten}},
      {"data", &kData, 0, {"Filedata", kUnwritten, kUnwritten}},
      {"basic", &kBasic, 0, {"Filename", "MyTestFile.txt", "Full path to the file you want to poll data from"}},
      {"basic", &kBasic, 1, {"Line", "1", "The line number you want to poll, zero will provide last line"}},
      {"advanced", &kAdvanced, 0,
       {"Start", "1", "For adv. cutting - Will cut from the # Char to end of line, unless \"Length\" is defined"}},
      {"advanced", &kAdvanced, 1, {"Length", "5", "Will read from \"Start\" Char and \"Length\" forward"}},
  };
  for (const auto& c : cases) {
    for (const std::int32_t item : kItemIndexes) {
      TDescriptor plugIn;
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
    TDescriptor plugIn;
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
  using Call = std::function<HResult(TDescriptor&, Outputs&)>;
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
      {"GetParamCount", [](auto& e, auto&) { return e.GetParamCount(0, nullptr); }},
      {"GetParamInfo", [](auto& e, auto& o) { return e.GetParamInfo(0, 5, &o.text[0], &o.text[1], nullptr); }},
      {"GetAdvancedParamInfo",
       [](auto& e, auto& o) { return e.GetAdvancedParamInfo(0, 0, &o.text[0], nullptr, &o.text[1]); }},
      {"GetEditorFlags", [](auto& e, auto&) { return e.GetEditorFlags(0, nullptr); }},
      {"GetParamEditor kind", [](auto& e, auto& o) { return e.GetParamEditor(0, "FILENAME", nullptr, &o.text[0]); }},
      {"GetParamEditor text", [](auto& e, auto& o) { return e.GetParamEditor(0, "Line", &o.byte, nullptr); }},
  };
  for (const auto& c : cases) {
    TDescriptor plugIn;
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
  TDescriptor plugIn;
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
