#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "query/DataQuery.h"
#include "query/FailureReport.h"
#include "tests/query/CallerFloatingPoint.h"
#include "tests/query/TempDir.h"

namespace filedata {
namespace {

struct Outcome {
  HResult result = 0;
  std::string itemName;
  std::uint8_t kind = 99;
  std::string text;
  double number = -1234.5;
  std::string error;
};

class DataQueryTest : public testing::TempDirTest {
 protected:
  Outcome Query(const char* params, std::int32_t itemIndex = 0) {
    Outcome out;
    const char* itemName = nullptr;
    const char* text = nullptr;
    out.result = CallReportingFailures(lastError_, [&] {
      return query_.GetData(lastError_, itemIndex, params, &itemName, &out.kind, &text, &out.number);
    });
    if (itemName) out.itemName = itemName;
    if (text) out.text = text;
    if (lastError_.IsSet()) out.error = lastError_.Pointer();
    return out;
  }
  Outcome Query(const std::string& params) { return Query(params.c_str()); }

  TDataQuery query_;
  TLastErrorText lastError_;
};

struct NumberCase {
  const char* content;
  const char* params;  // FILENAME is prepended
  double number;
};

TEST_F(DataQueryTest, AnswersNumbers) {
  const NumberCase cases[] = {
      {"10\r\n20\r\n30", "|LINE=1", 10},
      {"10\r\n20\r\n30", "|LINE=0", 30},
      {"10\r\n20\r\n30\r\n", "|LINE=0", 30},
      {"10\r\n20\r\n30", "|LINE=2|START=2", 0},
      {"10\r\n20\r\n30", "", 10},
      {"Temp: 42.5 C", "|START=7|LENGTH=4", 42.5},
      {"Temp: 42.5 C", "|START=7|LENGTH=-1|LENGTH=4", 42.5},
      {"x 42 y", "|START=2|LENGTH=4", 42},
      {"a\nb\n-0\n", "|line=3", -0.0},
      {"1e309", "", std::numeric_limits<double>::infinity()},
      {"-1e309", "", -std::numeric_limits<double>::infinity()},
      {"1e-400", "", 0},
      {"5\n6", "|LINE=$2", 6},
      {"7", "|START=-3|LENGTH=1", 7},
  };
  for (const auto& c : cases) {
    const std::string params = "FILENAME=" + Write("n.txt", c.content) + c.params;
    const Outcome out = Query(params);
    ASSERT_EQ(out.result, hr::Ok) << params << ": " << out.error;
    EXPECT_EQ(out.kind, kNumberKind) << params;
    EXPECT_EQ(out.number, c.number) << params;
    EXPECT_EQ(std::signbit(out.number), std::signbit(c.number)) << params;
    EXPECT_EQ(out.text, "") << "text must be empty for a number: " << params;
    EXPECT_EQ(out.itemName, "Filedata");
  }
}

struct TextCase {
  const char* content;
  const char* params;
  const char* text;
};

TEST_F(DataQueryTest, AnswersText) {
  const TextCase cases[] = {
      {"10\n20\n\n", "|LINE=0", ""},
      {"Temp: 42.5 C", "|START=7", "42.5 C"},
      {"Temp: 42.5 C", "|START=7|LENGTH=0", ""},
      {"Temp: 42.5 C", "|START=7|LENGTH=-2", ""},
      {"Temp: 42.5 C", "|START=99", ""},
      {"Temp: 42.5 C", "|START=7|LENGTH=2147483647", "42.5 C"},
      {"Name\xE9\x80", "", "Name\xE9\x80"},
      {"\xEF\xBB\xBF" "42", "", "\xEF\xBB\xBF" "42"},
      {"1,5", "", "1,5"},
      {"a\nb", "| LINE=2", "a"},
      {"a\nb", "|LINE=2|Other=7|novalue", "b"},
      {"a\nb", "|LINE=2=junk", "b"},
  };
  for (const auto& c : cases) {
    const std::string params = "FILENAME=" + Write("t.txt", c.content) + c.params;
    const Outcome out = Query(params);
    ASSERT_EQ(out.result, hr::Ok) << params << ": " << out.error;
    EXPECT_EQ(out.kind, kTextKind) << params;
    EXPECT_EQ(out.text, c.text) << params;
    EXPECT_EQ(out.number, -1234.5) << "number written for text: " << params;
  }
}

TEST_F(DataQueryTest, UnusableInputAnswersInvalidArguments) {
  std::filesystem::create_directory(Dir() / "folder");
  const std::string cases[] = {
      "",
      "LINE=2",
      "FILENAME=",
      "FILENAME=" + PathOf("missing.txt"),
      "FILENAME=" + PathOf("folder"),
      " FILENAME=" + Write("x.txt", "1"),
  };
  for (const auto& params : cases) {
    const Outcome out = Query(params);
    EXPECT_EQ(out.result, hr::Ok) << params;
    EXPECT_EQ(out.kind, kTextKind) << params;
    EXPECT_EQ(out.text, "Invalid Arguments") << params;
  }
  const Outcome none = Query(nullptr);
  EXPECT_EQ(none.result, hr::Ok);
  EXPECT_EQ(none.text, "Invalid Arguments");
}

TEST_F(DataQueryTest, KeysIgnoreCaseAndTheLastOccurrenceWins) {
  const std::string a = Write("a.txt", "1\n2\n");
  const std::string b = Write("b.txt", "3\n4\n");
  EXPECT_EQ(Query("filename=" + a + "|line=2").number, 2);
  EXPECT_EQ(Query("FileName=" + a + "|FILENAME=" + b).number, 3);
  EXPECT_EQ(Query("FILENAME=" + a + "|LINE=1|LINE=2").number, 2);
}

struct FailureCase {
  const char* content;
  const char* params;
  const char* error;
};

TEST_F(DataQueryTest, FailuresReportTheirMessageAndKeepTheStandingAnswer) {
  const FailureCase cases[] = {
      {"a\nb", "|LINE=abc", "'abc' is not a valid integer value"},
      {"a\nb", "|START= 1 ", "' 1 ' is not a valid integer value"},
      {"a\nb", "|LENGTH=1.5", "'1.5' is not a valid integer value"},
      {"a\nb", "|LINE=6", "List index out of bounds (5)"},
      {"", "|LINE=0", "List index out of bounds (-1)"},
      {"", "", "List index out of bounds (0)"},
      {"a\nb", "|LINE=-1", "List index out of bounds (2)"},
      {"a\nb", "|LINE=-2147483648", "List index out of bounds (2147483649)"},
  };
  for (const auto& c : cases) {
    const std::string params = "FILENAME=" + Write("f.txt", c.content) + c.params;
    const Outcome out = Query(params);
    EXPECT_EQ(out.result, hr::Fail) << params;
    EXPECT_EQ(out.error, c.error) << params;
    EXPECT_EQ(out.itemName, "Filedata");
    EXPECT_EQ(out.kind, kTextKind);
    EXPECT_EQ(out.text, "Invalid Arguments");
  }
  // The object stays usable.
  EXPECT_EQ(Query("FILENAME=" + Write("ok.txt", "8")).number, 8);
}

// The hole reads as zero bytes, which end the text: what comes before it
// shows whether the whole size was taken (a size cut to 32 bits, or read
// as negative, stops short of "second").
TEST_F(DataQueryTest, FilesOf2GiBAndMoreAreReadToTheirSize) {
  const std::string head = "first\r\nsecond\r\n";
  for (const std::uint64_t size : {(2ull << 30) + 6, (4ull << 30) + 6}) {
    const std::string params = "FILENAME=" + WriteSparse("huge.txt", head, size);
    SCOPED_TRACE(size);
    EXPECT_EQ(Query(params + "|LINE=0").text, "second");
    EXPECT_EQ(Query(params + "|LINE=2").text, "second");
    EXPECT_EQ(Query(params + "|LINE=-1").error, "List index out of bounds (2)");
  }
}

TEST_F(DataQueryTest, ItemIndexOtherThanZeroWritesNothing) {
  const Outcome out = Query(("FILENAME=" + Write("a.txt", "1")).c_str(), 1);
  EXPECT_EQ(out.result, hr::Fail);
  EXPECT_EQ(out.error, "Index out of bounds");
  EXPECT_EQ(out.itemName, "");
  EXPECT_EQ(out.kind, 99);
}

TEST_F(DataQueryTest, EachNullOutPointerIsRefusedAndNothingWritten) {
  const std::string params = "FILENAME=" + Write("n.txt", "42");
  for (int missing = 0; missing < 4; ++missing) {
    SCOPED_TRACE(missing);
    const char* itemName = nullptr;
    std::uint8_t kind = 99;
    const char* text = nullptr;
    double number = -1;
    EXPECT_EQ(query_.GetData(lastError_, 0, params.c_str(), missing == 0 ? nullptr : &itemName,
                             missing == 1 ? nullptr : &kind, missing == 2 ? nullptr : &text,
                             missing == 3 ? nullptr : &number),
              hr::Pointer);
    EXPECT_EQ(itemName, nullptr);
    EXPECT_EQ(kind, 99);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(number, -1);
  }
}

TEST_F(DataQueryTest, TextStaysValidAfterTheCall) {
  const char* itemName = nullptr;
  const char* text = nullptr;
  std::uint8_t kind = 0;
  double number = 0;
  const std::string params = "FILENAME=" + Write("s.txt", "hello world");
  ASSERT_EQ(query_.GetData(lastError_, 0, params.c_str(), &itemName, &kind, &text, &number), hr::Ok);
  const std::string other = "FILENAME=" + Write("o.txt", "other");
  TDataQuery second;
  const char* otherText = nullptr;
  ASSERT_EQ(second.GetData(lastError_, 0, other.c_str(), &itemName, &kind, &otherText, &number), hr::Ok);
  EXPECT_STREQ(text, "hello world");
  EXPECT_STREQ(otherText, "other");
}

TEST_F(DataQueryTest, OverflowFailsWhenTheCallerTrapsItWhateverItsRounding) {
  using testing::TRounding;
  const std::string big = "FILENAME=" + Write("big.txt", "1e309");
  const std::string negative = "FILENAME=" + Write("negative.txt", "-1e309");
  const struct {
    TRounding rounding;
    const std::string& params;
  } cases[] = {
      {TRounding::Nearest, big},
      {TRounding::TowardZero, big},  // a host word of 0x0F77
      {TRounding::Down, big},        // 0x0777
      {TRounding::Up, negative},     // 0x0B77
  };
  for (const auto& c : cases) {
    Outcome out;
    {
      const testing::TCallerRulesScope scope(c.rounding, false);
      out = Query(c.params);
    }
    SCOPED_TRACE(::testing::Message() << "rounding " << static_cast<unsigned>(c.rounding) << ": " << c.params);
    EXPECT_EQ(out.result, hr::Fail) << out.number;
    EXPECT_EQ(out.error, "Floating point overflow");
    EXPECT_EQ(out.kind, kTextKind);
  }
}

TEST(IsNumericText, MatchesTheParser) {
  EXPECT_TRUE(IsNumericText(" 42 "));
  EXPECT_FALSE(IsNumericText("42 C"));
  EXPECT_FALSE(IsNumericText(""));
}

}  // namespace
}  // namespace filedata
