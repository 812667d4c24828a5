// The data query as the host calls it on one object: the standing answer,
// the failures reported through the last-error text, and the lifetime of
// the text handed out. The query's own rules are tested in query_tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "descriptor/DescriptorTables.h"
#include "plugin/PlugIn.h"
#include "tests/support/AllocationWatch.h"
#include "tests/support/ScratchFolder.h"

namespace filedata {
namespace {

constexpr char kUntouched[] = "<untouched>";
constexpr std::uint8_t kUntouchedKind = 99;

struct TOutcome {
  HResult result = 0;
  std::string itemName = kUntouched;
  std::uint8_t kind = kUntouchedKind;
  std::string text = kUntouched;
  double number = -1234.5;
  std::string lastError;
  nlohmann::json steps, view;  // as the explanation wrote them; null for GetData
};

// The host's way and the tools' two, which must answer the same.
enum class TWay { GetData, ExplainData, ExplainWithView };

TOutcome Query(TPlugIn& plugIn, const char* params, std::int32_t item = 0, TWay way = TWay::GetData) {
  TOutcome out;
  const char* itemName = kUntouched;
  const char* text = kUntouched;
  const char* steps = nullptr;
  const char* view = nullptr;
  switch (way) {
    case TWay::GetData: out.result = plugIn.GetData(item, params, &itemName, &out.kind, &text, &out.number); break;
    case TWay::ExplainData:
      out.result = plugIn.ExplainData(item, params, &itemName, &out.kind, &text, &out.number, &steps);
      break;
    case TWay::ExplainWithView:
      EXPECT_EQ(plugIn.ExplainWithView(item, params, &itemName, &out.kind, &text, &out.number, &steps, nullptr),
                hr::Pointer);
      out.result = plugIn.ExplainWithView(item, params, &itemName, &out.kind, &text, &out.number, &steps, &view);
      break;
  }
  out.itemName = itemName;
  out.text = text;
  const char* lastError = nullptr;
  EXPECT_EQ(plugIn.GetLastErrorText(&lastError), hr::Ok);
  out.lastError = lastError;
  EXPECT_EQ(steps != nullptr, way != TWay::GetData);
  EXPECT_EQ(view != nullptr, way == TWay::ExplainWithView);
  if (steps) out.steps = nlohmann::json::parse(steps, nullptr, false);
  if (view) out.view = nlohmann::json::parse(view, nullptr, false);
  return out;
}

// The explanation ends with the very answer OUT holds, as the host got it.
void ExpectStepsEndWithTheAnswer(const TOutcome& out) {
  ASSERT_TRUE(out.steps.is_array() && !out.steps.empty()) << out.steps;
  const nlohmann::json& answer = out.steps.back();
  EXPECT_EQ(answer.value("step", ""), "answer");
  EXPECT_EQ(answer.value("hr", ""), ResultName(out.result));
  if (out.result != hr::Ok) {
    EXPECT_EQ(answer.value("error", ""), out.lastError);
  } else if (out.kind == descriptor::kNumberKind) {
    EXPECT_EQ(answer.value("number", 0.0), out.number);
  } else {
    EXPECT_EQ(answer.value("text", ""), out.text);  // ASCII here: the JSON's bytes are the text's
  }
}

class GetDataTest : public testing::ScratchFolderTest {};

TEST_F(GetDataTest, AnswersThroughTheOutParametersAndFailsWithTheStandingAnswer) {
  const std::string file = Write("f.txt", "Temp: 42.5 C\nlast\n");
  const struct {
    std::string params;
    bool nullParams;
    std::int32_t item;
    HResult result;
    std::string itemName;
    std::uint8_t kind;
    std::string text;
    double number;
    std::string lastError;
  } cases[] = {
      {"FILENAME=" + file + "|START=7|LENGTH=4", false, 0, hr::Ok, "Filedata", 0, "", 42.5, "No error"},
      {"FILENAME=" + file + "|LINE=0", false, 0, hr::Ok, "Filedata", 1, "last", -1234.5, "No error"},
      {"FILENAME=" + file + ".missing", false, 0, hr::Ok, "Filedata", 1, "Invalid Arguments", -1234.5, "No error"},
      {"", true, 0, hr::Ok, "Filedata", 1, "Invalid Arguments", -1234.5, "No error"},
      // A failure leaves the standing answer of the step before it.
      {"FILENAME=" + file + "|LINE=9", false, 0, hr::Fail, "Filedata", 1, "Invalid Arguments", -1234.5,
       "List index out of bounds (8)"},
      {"LINE=two", false, 0, hr::Fail, "Filedata", 1, "Invalid Arguments", -1234.5,
       "'two' is not a valid integer value"},
      // Another data item writes nothing at all.
      {"FILENAME=" + file, false, 1, hr::Fail, kUntouched, kUntouchedKind, kUntouched, -1234.5,
       "Index out of bounds"},
  };
  for (const auto& c : cases) {
   for (const TWay way : {TWay::GetData, TWay::ExplainData, TWay::ExplainWithView}) {
    SCOPED_TRACE((c.nullParams ? "null parameters" : c.params) + " by way " + std::to_string(static_cast<int>(way)));
    TPlugIn plugIn;
    const TOutcome out = Query(plugIn, c.nullParams ? nullptr : c.params.c_str(), c.item, way);
    EXPECT_EQ(out.result, c.result);
    EXPECT_EQ(out.itemName, c.itemName);
    EXPECT_EQ(out.kind, c.kind);
    EXPECT_EQ(out.text, c.text);
    EXPECT_EQ(out.number, c.number);
    EXPECT_EQ(out.lastError, c.lastError);
    if (way != TWay::GetData) ExpectStepsEndWithTheAnswer(out);
    // The view, where a file was opened, else why not.
    if (way == TWay::ExplainWithView) {
      const bool opened = c.item == 0 && !c.nullParams && c.params.find(".missing") == std::string::npos &&
                          c.params.find("two") == std::string::npos;
      EXPECT_EQ(out.view.value("available", !opened), opened) << out.view;
    }
    // The object stays usable.
    EXPECT_EQ(Query(plugIn, ("FILENAME=" + file).c_str()).result, hr::Ok);
   }
  }
}

// The explanation only listens: when its steps or the view cannot be
// written, the answer is still exactly GetData's, and the steps say why.
TEST_F(GetDataTest, AnExplanationThatCannotBeWrittenLeavesTheAnswerAlone) {
  // Each of these bytes is written \u00E9 in JSON: six bytes for one.
  const std::string wide = "Temp" + std::string(4000, '\xE9');
  std::string rows;
  for (int i = 0; i < 150; ++i) rows += std::string(3000, '\xE9') + "\r\n";
  const struct {
    std::string file;
    const char* params;
    TWay way;
    std::size_t refuseAbove;  // bytes; the query's own reads need less
    const char* told;         // what says what could not be written, in the steps
    const char* viewTold;     // and in the view
  } cases[] = {
      // The line step, while the query reads: the rest of the query goes on.
      {Write("wide.txt", wide + "\r\nTemp: 42.5\r\n"), "|START=1|LENGTH=4", TWay::ExplainData, 16 << 10,
       "a step could not be written and the steps after it are missing (not enough memory)", ""},
      {Write("wide.txt", wide + "\r\nTemp: 42.5\r\n"), "|START=1|LENGTH=4", TWay::ExplainWithView, 16 << 10,
       "a step could not be written", "the file's lines could not be written: not enough memory"},
      // The view of a number's file, after the answer and its steps.
      {Write("rows.txt", rows + "Temp: 42.5\r\n"), "|LINE=0|START=7|LENGTH=4", TWay::ExplainWithView, 1 << 20,
       "\"step\":\"number\"", "the file's lines could not be written: not enough memory"},
      {Write("rows.txt", rows + "Temp: 42.5\r\n"), "|LINE=151", TWay::ExplainWithView, 1 << 20,
       "\"step\":\"number\"", "the file's lines could not be written: not enough memory"},
  };
  for (const auto& c : cases) {
    const std::string params = "FILENAME=" + c.file + c.params;
    SCOPED_TRACE(std::string(c.params) + " by way " + std::to_string(static_cast<int>(c.way)));
    TPlugIn host, tool;
    // Memory running out while the explanation writes, as a 32-bit host's may.
    const testing::TAllocationWatch limit(c.refuseAbove);
    const TOutcome want = Query(host, params.c_str());
    const TOutcome got = Query(tool, params.c_str(), 0, c.way);
    EXPECT_EQ(got.result, want.result);
    EXPECT_EQ(got.kind, want.kind);
    EXPECT_EQ(got.text, want.text);
    EXPECT_EQ(got.number, want.number);
    EXPECT_EQ(got.lastError, want.lastError);
    ExpectStepsEndWithTheAnswer(got);
    EXPECT_NE(got.steps.dump().find(c.told), std::string::npos) << got.steps.dump().substr(0, 2000);
    if (c.way == TWay::ExplainWithView) {
      EXPECT_FALSE(got.view.value("available", true)) << got.view.dump().substr(0, 300);
      EXPECT_EQ(got.view.value("detail", ""), c.viewTold);
    }
  }
}

TEST_F(GetDataTest, TheTextsStayValidUntilThatObjectsNextQuery) {
  TPlugIn first, second;
  const char* name = nullptr;
  const char* text = nullptr;
  const char* steps = nullptr;
  const char* otherText = nullptr;
  const char* otherSteps = nullptr;
  std::uint8_t kind = 0;
  double number = 0;
  const std::string params = "FILENAME=" + Write("s.txt", "hello world");
  ASSERT_EQ(first.ExplainData(0, params.c_str(), &name, &kind, &text, &number, &steps), hr::Ok);
  const std::string other = "FILENAME=" + Write("o.txt", "other");
  ASSERT_EQ(second.ExplainData(0, other.c_str(), &name, &kind, &otherText, &number, &otherSteps), hr::Ok);
  ASSERT_EQ(second.GetData(0, other.c_str(), &name, &kind, &otherText, &number), hr::Ok);
  EXPECT_STREQ(text, "hello world");
  EXPECT_NE(std::string(steps).find(R"("text":"hello world","size":11,"linesRead")"), std::string::npos) << steps;
  EXPECT_STREQ(otherText, "other");
}

TEST_F(GetDataTest, TheLastErrorSaysNoErrorOnlyUntilTheFirstFailureOfItsOwnObject) {
  TPlugIn plugIn, other;
  EXPECT_EQ(Query(plugIn, "").lastError, "No error");
  const char* key = nullptr;
  const char* value = nullptr;
  ASSERT_EQ(plugIn.GetAboutItem(7, &key, &value), hr::Fail);
  // Later successes, of lookups and of queries, do not clear it.
  EXPECT_EQ(plugIn.GetAboutItem(0, &key, &value), hr::Ok);
  EXPECT_EQ(Query(plugIn, "FILENAME=no-such-file.txt").lastError, "Index out of bounds");
  EXPECT_EQ(Query(other, "").lastError, "No error");
}

}  // namespace
}  // namespace filedata
