#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "query/Errors.h"
#include "query/FloatParse.h"
#include "query/X87.h"
#include "tests/query/CallerFloatingPoint.h"

namespace filedata {
namespace {

// Runs the body under a given x87 control word and gives the caller's back.
class ControlWordScope {
 public:
  explicit ControlWordScope(std::uint16_t word) : saved_(x87::ReadControlWord()) {
    x87::ClearExceptionFlags();
    x87::LoadControlWord(word);
  }
  ~ControlWordScope() {
    x87::ClearExceptionFlags();
    x87::LoadControlWord(saved_);
  }

 private:
  std::uint16_t saved_;
};

constexpr std::uint16_t kDefaultWord = 0x037F;             // all masked, 64-bit, nearest
constexpr std::uint16_t kOverflowUnmasked = 0x037F & ~0x8;  // a host that traps overflow

TEST(TryParseFloat, AcceptsTheNumberForms) {
  const struct {
    const char* text;
    long double value;
  } cases[] = {
      {"1.5", 1.5L},   {" -2.5e3 ", -2500.0L}, {".5", 0.5L},   {"5.", 5.0L},  {".", 0.0L},
      {"5e", 5.0L},    {"5E+", 5.0L},          {"5e-", 5.0L},  {"+42", 42.0L}, {"  7  ", 7.0L},
      {"1e-4999", 0.0L}, {"0e4999", 0.0L},     {"25E-1", 2.5L}, {"000.000", 0.0L},
      {"123456789012345678", 123456789012345678.0L},
  };
  for (const auto& c : cases) {
    long double value = -99;
    ASSERT_TRUE(TryParseFloat(c.text, value, '.')) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
}

TEST(TryParseFloat, MinusZeroKeepsItsSign) {
  for (const char* text : {"-.", "-0", "-0.0e7"}) {
    long double value = 1;
    ASSERT_TRUE(TryParseFloat(text, value, '.')) << text;
    EXPECT_EQ(value, 0.0L);
    EXPECT_TRUE(std::signbit(value)) << text;
  }
}

TEST(TryParseFloat, RefusesEverythingElse) {
  const char* cases[] = {"e5",  "",     "   ",  "+",    "1,5",   "1 000", "12abc", "0x10", "1.5\t",
                         "inf", "nan",  "--1",  "1e5000", "1e4999", "1.5.", "e",    "-",    "1e+-2",
                         "1e500000"};
  for (const char* text : cases) {
    long double value = 7;
    EXPECT_FALSE(TryParseFloat(text, value, '.')) << text;
    EXPECT_EQ(value, 7) << "written on refusal: " << text;
  }
}

TEST(TryParseFloat, ReachesTheExtendedRange) {
  long double value = 0;
  ASSERT_TRUE(TryParseFloat("1e500", value, '.'));
  EXPECT_NEAR(static_cast<double>(std::log10(value)), 500.0, 1e-9);
  ASSERT_TRUE(TryParseFloat("1e4931", value, '.'));
  EXPECT_TRUE(std::isfinite(value));
  ASSERT_TRUE(TryParseFloat("-1.1e4932", value, '.'));
  EXPECT_LT(value, 0);
  EXPECT_FALSE(TryParseFloat("1.2e4932", value, '.'));  // beyond the extended range
}

TEST(TryParseFloat, UsesTheGivenDecimalSeparator) {
  long double value = 0;
  EXPECT_TRUE(TryParseFloat("1,5", value, ','));
  EXPECT_EQ(value, 1.5L);
  EXPECT_FALSE(TryParseFloat("1.5", value, ','));
  EXPECT_TRUE(TryParseFloat(",", value, ','));
}

TEST(TryParseFloat, ReadsUpToTheFirstZeroByte) {
  long double value = 0;
  EXPECT_TRUE(TryParseFloat(std::string("2.5\0xyz", 7), value, '.'));
  EXPECT_EQ(value, 2.5L);
}

TEST(TryParseFloat, RestoresTheCallersWordAndLeavesFlagsClear) {
  const std::uint16_t words[] = {kDefaultWord, 0x0B7F /* round up */, 0x027F /* 53-bit */, kOverflowUnmasked};
  for (const std::uint16_t word : words) {
    ControlWordScope scope(word);
    long double value = 0;
    // Overflows inside, which must neither trap nor leak a flag.
    EXPECT_FALSE(TryParseFloat("9e4999", value, '.'));
    EXPECT_TRUE(TryParseFloat("0.1", value, '.'));
    EXPECT_EQ(x87::ReadControlWord(), word);
    EXPECT_EQ(x87::ReadStatusWord() & 0x3F, 0);
  }
}

TEST(TryParseFloat, RoundsEachStepUnderItsOwnWord) {
  // Under the caller's round-up word a correctly computed 0.1 would differ.
  long double nearest = 0, underRoundUp = 0;
  ASSERT_TRUE(TryParseFloat("0.1", nearest, '.'));
  {
    ControlWordScope scope(0x0B7F);
    ASSERT_TRUE(TryParseFloat("0.1", underRoundUp, '.'));
  }
  EXPECT_EQ(nearest, underRoundUp);
  EXPECT_EQ(nearest, 0.1L);
}

TEST(ScaleByPowerOfTen, CoversTheThreeTablesAndTheLimits) {
  EXPECT_EQ(ScaleByPowerOfTen(3.0L, 0), 3.0L);
  EXPECT_EQ(ScaleByPowerOfTen(1.0L, 31), 1e31L);
  EXPECT_EQ(ScaleByPowerOfTen(1.0L, 32), 1e32L);
  EXPECT_EQ(ScaleByPowerOfTen(1.0L, 512), 1e512L);
  EXPECT_EQ(ScaleByPowerOfTen(5.0L, -1), 0.5L);
  EXPECT_EQ(ScaleByPowerOfTen(1.0L, -5120), 0.0L);
  EXPECT_TRUE(std::isinf(ScaleByPowerOfTen(1.0L, 5120)));
  EXPECT_NEAR(static_cast<double>(std::log10(ScaleByPowerOfTen(1.0L, 4000))), 4000.0, 1e-9);
  EXPECT_NEAR(static_cast<double>(std::log10(ScaleByPowerOfTen(1.0L, -4000))), -4000.0, 1e-9);
}

TEST(StoreAsDouble, FollowsTheCallersRoundingAndOverflowMask) {
  using testing::TRounding;
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr double kMax = std::numeric_limits<double>::max();
  constexpr double kThrows = 12345;  // stands for EOverflow
  long double big = 0;
  ASSERT_TRUE(TryParseFloat("1e309", big, '.'));
  const long double justAboveOne = 1.0L + std::numeric_limits<long double>::epsilon();
  const struct {
    TRounding rounding;
    bool overflowMasked;
    long double value;
    double stored;
  } cases[] = {
      {TRounding::Nearest, true, big, kInf},
      {TRounding::Nearest, true, -big, -kInf},
      {TRounding::Nearest, false, big, kThrows},
      {TRounding::TowardZero, true, big, kMax},
      {TRounding::TowardZero, false, big, kThrows},  // the store gives kMax, but it did overflow
      {TRounding::Down, true, big, kMax},
      {TRounding::Down, false, big, kThrows},
      {TRounding::Down, true, -big, -kInf},
      {TRounding::Up, true, -big, -kMax},
      {TRounding::Up, false, -big, kThrows},
      {TRounding::Up, false, 1e308L, 1e308},
      {TRounding::Nearest, false, 1e-400L, 0.0},
      {TRounding::Nearest, true, justAboveOne, 1.0},
      {TRounding::Down, true, justAboveOne, 1.0},
      {TRounding::Up, true, justAboveOne, std::nextafter(1.0, 2.0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "rounding " << static_cast<unsigned>(c.rounding) << ", overflow "
                                      << (c.overflowMasked ? "masked" : "unmasked") << ", value "
                                      << static_cast<double>(c.value));
    const testing::TCallerRulesScope scope(c.rounding, c.overflowMasked);
    const unsigned before = testing::TCallerRulesScope::Current();
    if (c.stored == kThrows) {
      EXPECT_THROW(x87::StoreAsDouble(c.value), EOverflow);
    } else {
      EXPECT_EQ(x87::StoreAsDouble(c.value), c.stored);
    }
    EXPECT_EQ(testing::TCallerRulesScope::Current(), before) << "the caller's word or flags changed";
  }
}

#if defined(__x86_64__)
TEST(StoreAsDouble, InA64BitProcessTheX87WordIsNotTheCallers) {
  long double big = 0;
  ASSERT_TRUE(TryParseFloat("1e309", big, '.'));
  const ControlWordScope scope(0x0F77);  // overflow unmasked, toward zero: ignored here
  EXPECT_EQ(x87::StoreAsDouble(big), std::numeric_limits<double>::infinity());
}
#endif

}  // namespace
}  // namespace filedata
