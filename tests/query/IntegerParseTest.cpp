#include <gtest/gtest.h>

#include <string>

#include "query/Errors.h"
#include "query/IntegerParse.h"

namespace filedata {
namespace {

TEST(ParseInteger, AcceptsDecimalAndHexadecimalForms) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {" 12", 12},          {"+7", 7},          {"-0", 0},         {"007", 7},        {"012", 12},
      {"$1F", 31},          {"x1F", 31},        {"X1f", 31},       {"0x1F", 31},      {"0X1f", 31},
      {"-$1", -1},          {"$FFFFFFFF", -1},  {"$000000001", 1}, {"$7FFFFFFF", 2147483647},
      {"$80000000", INT32_MIN}, {"-$80000000", INT32_MIN},     {"-$FFFFFFFF", 1},
      {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},  {"   -5", -5},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseInteger(c.text), c.value) << c.text;
}

TEST(ParseInteger, RefusesOtherTextQuotingItWhole) {
  const char* cases[] = {"12 ", "", "   ", "-", "+", "$", "0x", "1.0", "--1", "- 1", "\t5", "1,0",
                         "2147483648", "-2147483649", "$100000000", "0x1G", "99999999999", "+-1", "x"};
  for (const char* text : cases) {
    try {
      ParseInteger(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + text + "' is not a valid integer value");
    }
  }
}

TEST(ParseInteger, StopsAtTheFirstZeroByte) {
  EXPECT_EQ(ParseInteger(std::string("42\0junk", 7)), 42);
}

}  // namespace
}  // namespace filedata
