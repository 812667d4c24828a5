#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "query/DataQuery.h"
#include "query/Errors.h"
#include "query/QueryObserver.h"
#include "tests/query/CallerFloatingPoint.h"
#include "tests/support/AllocationWatch.h"
#include "tests/support/RecordingObserver.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/WindowsProgramFiles.h"

namespace filedata {
namespace {

// An answer, or the message of the failure raised instead.
struct Outcome {
  bool failed = false;
  bool isNumber = false;
  std::string text;
  double number = -1234.5;
  std::string error;
};

Outcome Answered(const std::string& params, TQueryObserver* observer) {
  Outcome out;
  try {
    TDataAnswer answer = AnswerQuery(params, observer);
    out.isNumber = answer.IsNumber;
    if (answer.IsNumber) out.number = answer.Number;
    out.text = std::move(answer.Text);
  } catch (const Exception& failure) {
    out.failed = true;
    out.error = failure.Message();
  }
  return out;
}

// What OBSERVED's steps tell, held against the answer they led to: each
// pair, the parameters unless a value failed, the file test, then the line
// (or why there is none), the cut and the number test of the very answer.
void ExpectTheStoryOfTheAnswer(const testing::TRecordingObserver& told, const Outcome& out, const std::string& params) {
  SCOPED_TRACE(params + ": " + ::testing::PrintToString(told.Steps));
  const auto pairs = params.empty() ? 0 : static_cast<std::size_t>(std::count(params.begin(), params.end(), '|')) + 1;
  EXPECT_EQ(told.Of("pair").size(), pairs);
  const bool valueFailed = out.error.find("is not a valid integer value") != std::string::npos;
  EXPECT_EQ(told.Of("parameters").size(), valueFailed ? 0u : 1u);
  if (valueFailed) return;
  const std::vector<testing::TToldStep> presence = told.Of("presence");
  ASSERT_EQ(presence.size(), 1u);
  const bool present = presence.front().Fields[2] == std::to_string(static_cast<int>(platform::TPresence::Present));
  EXPECT_EQ(present, out.failed || out.isNumber || out.text != kInvalidArguments);
  if (!present) return;
  EXPECT_EQ(told.Of("encoding").size(), 1u);
  const std::string missing = "List index out of bounds (";
  if (out.error.rfind(missing, 0) == 0) {
    const std::vector<testing::TToldStep> noLine = told.Of("no line");
    ASSERT_EQ(noLine.size(), 1u);
    EXPECT_EQ(missing + noLine.front().Fields[0] + ")", out.error);
    EXPECT_TRUE(told.Of("line").empty());
    return;
  }
  if (out.failed) return;  // a number the caller cannot store
  const std::vector<testing::TToldStep> line = told.Of("line"), cut = told.Of("cut"), number = told.Of("number");
  ASSERT_EQ(line.size(), 1u);
  ASSERT_EQ(cut.size(), 1u);
  ASSERT_EQ(number.size(), 1u);
  EXPECT_EQ(cut.front().Fields[2], cut.front().Fields[3]) << "the cut is the line's bytes where it says";
  EXPECT_EQ(line.front().Fields[3], std::to_string(line.front().Fields[1].size())) << "a short line is quoted whole";
  EXPECT_EQ(number.front().Fields[0], cut.front().Fields[3]) << "the number test is of the cut";
  EXPECT_EQ(number.front().Fields[1], out.isNumber ? "1" : "0");
  if (!out.isNumber) {
    EXPECT_EQ(cut.front().Fields[3], out.text);
  }
}

class DataQueryTest : public testing::ScratchFolderTest {
 protected:
  // Every query of these tables runs twice: an observer that is told every
  // step must not change the answer, and what it is told must tell it.
  static Outcome Query(const std::string& params) {
    testing::TRecordingObserver watching;
    const Outcome observed = Answered(params, &watching);
    ExpectTheStoryOfTheAnswer(watching, observed, params);
    const Outcome out = Answered(params, nullptr);
    EXPECT_EQ(observed.failed, out.failed) << params;
    EXPECT_EQ(observed.isNumber, out.isNumber) << params;
    EXPECT_EQ(observed.text, out.text) << params;
    EXPECT_TRUE(observed.number == out.number || (std::isnan(observed.number) && std::isnan(out.number))) << params;
    EXPECT_EQ(observed.error, out.error) << params;
    return out;
  }
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
    ASSERT_FALSE(out.failed) << params << ": " << out.error;
    EXPECT_TRUE(out.isNumber) << params;
    EXPECT_EQ(out.number, c.number) << params;
    EXPECT_EQ(std::signbit(out.number), std::signbit(c.number)) << params;
    EXPECT_EQ(out.text, "") << "text must be empty for a number: " << params;
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
    ASSERT_FALSE(out.failed) << params << ": " << out.error;
    EXPECT_FALSE(out.isNumber) << params;
    EXPECT_EQ(out.text, c.text) << params;
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
    EXPECT_FALSE(out.failed) << params;
    EXPECT_FALSE(out.isNumber) << params;
    EXPECT_EQ(out.text, "Invalid Arguments") << params;
  }
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

TEST_F(DataQueryTest, FailuresCarryTheirMessage) {
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
    EXPECT_TRUE(out.failed) << params;
    EXPECT_EQ(out.error, c.error) << params;
  }
}

// The answer this platform gives to QUERY; null when it depends on an ANSI
// code page other than the one the table was written for.
const testing::TAnswer* AnswerHere(const testing::TProgramQuery& query) {
#ifdef _WIN32
  if (!query.Windows) return &query.Posix;
  return platform::HostTextName() == "code page 1252" ? &*query.Windows : nullptr;
#else
  return &query.Posix;
#endif
}

TEST_F(DataQueryTest, AnswersFilesAsWindowsProgramsWriteThem) {
  for (const testing::TProgramFile& file : testing::WindowsProgramFiles()) {
    const std::string path = Write("written.txt", file.Bytes);
    for (const testing::TProgramQuery& query : file.Queries) {
      const testing::TAnswer* want = AnswerHere(query);
      if (!want) continue;
      SCOPED_TRACE(file.Writer + ", " + (query.Params.empty() ? "no more parameters" : query.Params));
      const Outcome out = Query("FILENAME=" + path + query.Params);
      EXPECT_EQ(out.failed, want->Kind == testing::TAnswer::Failure) << out.error;
      EXPECT_EQ(out.isNumber, want->Kind == testing::TAnswer::Number) << ::testing::PrintToString(out.text);
      const auto& got = want->Kind == testing::TAnswer::Failure ? out.error : out.text;
      EXPECT_EQ(got, want->Kind == testing::TAnswer::Number ? "" : want->Words);
      EXPECT_EQ(out.number, want->Kind == testing::TAnswer::Number ? want->Value : -1234.5);
    }
  }
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
    // The observer is told where the zero ended the text, past the 32-bit sizes.
    testing::TRecordingObserver told;
    Answered(params + "|LINE=0", &told);
    const std::vector<testing::TToldStep> end = told.Of("end");
    ASSERT_EQ(end.size(), 1u);
    EXPECT_EQ(end.front().Fields[0], "1") << "ended by a zero";
    EXPECT_EQ(end.front().Fields[1], std::to_string(head.size()));
    EXPECT_EQ(end.front().Fields[2], std::to_string(size - head.size() - 1)) << "the bytes after it";
  }
}

// A line longer than many reads, before, at or after the chosen one, is
// never held: a query keeps its reads, its answer and, for an explanation,
// the start of its line, in 8 bits and in UTF-16 alike.
TEST_F(DataQueryTest, LongLinesAreNeverHeldWhole) {
  const std::string big(3 << 20, 'x');  // twelve reads
  const std::string temp = "Temp: 42.5";
  const struct {
    std::string content;  // also stored as UTF-16LE
    const char* params;
    Outcome want;
  } cases[] = {
      {big + "\r\n" + temp + "\r\n", "|LINE=2|START=7|LENGTH=4", {false, true, "", 42.5, ""}},
      {big + "\r\n" + temp + "\r\n", "|LINE=0|START=7|LENGTH=4", {false, true, "", 42.5, ""}},
      {temp + "\r\n" + big + "\r\nlast 7", "|LINE=0", {false, false, "last 7", -1234.5, ""}},
      {temp + "\r\n" + big + "\r\nlast 7", "|LINE=3", {false, false, "last 7", -1234.5, ""}},
      {temp + "\r\n" + big + "\r\n", "|LINE=2|START=9|LENGTH=4", {false, false, "xxxx", -1234.5, ""}},
      {temp + "\r\n" + big, "|LINE=0|START=3|LENGTH=5", {false, false, "xxxxx", -1234.5, ""}},
      {big + "\r\n" + temp, "|LINE=-1", {true, false, "", -1234.5, "List index out of bounds (2)"}},
      // The rest of a long line is the answer: held once, at its size.
      {temp + "\r\n" + big, "|LINE=2|START=2", {false, false, big.substr(1), -1234.5, ""}},
      {temp + "\r\n" + big + "\n", "|LINE=0", {false, false, big, -1234.5, ""}},
  };
  const std::size_t kReadsHeld = 1 << 20;  // the reads' buffers, and a little
  TQueryObserver listening;                // an explanation's way: the line's start kept
  for (const auto& c : cases) {
    for (const bool utf16 : {false, true}) {
      std::string bytes = c.content;
      if (utf16) {
        bytes = "\xFF\xFE";
        for (const char byte : c.content) bytes += {byte, '\0'};
      }
      const std::string params = "FILENAME=" + Write("long.txt", bytes) + c.params;
      for (TQueryObserver* observer : {static_cast<TQueryObserver*>(nullptr), &listening}) {
        SCOPED_TRACE(std::string(c.params) + (utf16 ? " in UTF-16LE" : "") + (observer ? ", observed" : ""));
        Outcome out;
        std::size_t peak = 0;
        {
          const testing::TAllocationWatch watch;
          out = Answered(params, observer);
          peak = watch.PeakBytes();
        }
        EXPECT_EQ(out.failed, c.want.failed);
        EXPECT_EQ(out.error, c.want.error);
        EXPECT_EQ(out.isNumber, c.want.isNumber);
        EXPECT_EQ(out.number, c.want.number);
        EXPECT_TRUE(out.text == c.want.text) << out.text.size() << " bytes";
        EXPECT_LE(peak, c.want.text.size() + kReadsHeld) << "the query held " << peak << " bytes";
      }
    }
  }
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
    EXPECT_TRUE(out.failed) << out.number;
    EXPECT_EQ(out.error, "Floating point overflow");
  }
}

}  // namespace
}  // namespace filedata
