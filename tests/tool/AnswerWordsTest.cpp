#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "explain/AnswerWords.h"

namespace filedata {
namespace {

TQueryOutcome Number(double value) {
  TQueryOutcome outcome;
  outcome.ValueKind = 0;
  outcome.Number = value;
  return outcome;
}

TQueryOutcome Text(std::string text) {
  TQueryOutcome outcome;
  outcome.Text = std::move(text);
  return outcome;
}

TQueryOutcome Failure(std::string error) {
  TQueryOutcome outcome;
  outcome.Result = hr::Fail;
  outcome.Error = std::move(error);
  return outcome;
}

TEST(AnswerWords, ShowEachKindOfAnswer) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    TQueryOutcome outcome;
    const char* value;
    const char* words;
    const char* json;
  } cases[] = {
      {Number(42.5), "42.5", "S_OK, kind 0, number 42.5", R"j({"hr":"S_OK","kind":0,"number":42.5})j"},
      {Number(-0.0), "-0", "S_OK, kind 0, number -0", R"j({"hr":"S_OK","kind":0,"number":-0})j"},
      {Number(0.1), "0.1", "S_OK, kind 0, number 0.1", R"j({"hr":"S_OK","kind":0,"number":0.1})j"},
      {Number(1e308), "1e+308", "S_OK, kind 0, number 1e+308", R"j({"hr":"S_OK","kind":0,"number":1e+308})j"},
      {Number(inf), "inf", "S_OK, kind 0, number inf", R"j({"hr":"S_OK","kind":0,"number":"inf"})j"},
      {Number(-inf), "-inf", "S_OK, kind 0, number -inf", R"j({"hr":"S_OK","kind":0,"number":"-inf"})j"},
      {Text(" 42.5 C "), " 42.5 C ", "S_OK, kind 1, text \" 42.5 C \"", R"j({"hr":"S_OK","kind":1,"text":" 42.5 C "})j"},
      {Text(""), "", "S_OK, kind 1, text \"\"", R"j({"hr":"S_OK","kind":1,"text":""})j"},
      {Text("a\"b\\c\td\x01\x7F\x80\xE9\xFF"), "a\"b\\c\td\x01\x7F\x80\xE9\xFF",
       "S_OK, kind 1, text \"a\"b\\c\td\x01\x7F\x80\xE9\xFF\"",
       R"j({"hr":"S_OK","kind":1,"text":"a\"b\\c\td\u0001\u007F\u0080\u00E9\u00FF"})j"},
      {Failure("List index out of bounds (5)"), "List index out of bounds (5)",
       "E_FAIL, last-error text \"List index out of bounds (5)\"",
       R"j({"hr":"E_FAIL","error":"List index out of bounds (5)"})j"},
      {Failure("Cannot open file \"C:\\x.txt\". Sharing violation"), "Cannot open file \"C:\\x.txt\". Sharing violation",
       "E_FAIL, last-error text \"Cannot open file \"C:\\x.txt\". Sharing violation\"",
       R"j({"hr":"E_FAIL","error":"Cannot open file \"C:\\x.txt\". Sharing violation"})j"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AnswerValue(c.outcome), c.value);
    EXPECT_EQ(AnswerWords(c.outcome), c.words);
    EXPECT_EQ(AnswerJson(c.outcome).Close(), c.json);
  }
  // A failed query's outputs are not answers, whatever they hold.
  TQueryOutcome stale = Failure("List index out of bounds (8)");
  stale.ValueKind = 0;
  stale.Number = 3;
  stale.Text = "stale";
  EXPECT_EQ(AnswerWords(stale), "E_FAIL, last-error text \"List index out of bounds (8)\"");
}

TEST(AnswerWords, NamesResultCodes) {
  EXPECT_EQ(ResultName(hr::Ok), "S_OK");
  EXPECT_EQ(ResultName(hr::Pointer), "E_POINTER");
  EXPECT_EQ(ResultName(static_cast<HResult>(0x80070002u)), "0x80070002");
}

}  // namespace
}  // namespace filedata
