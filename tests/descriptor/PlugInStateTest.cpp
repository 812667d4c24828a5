#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "descriptor/Descriptor.h"
#include "descriptor/PlugInState.h"

namespace filedata::descriptor {
namespace {

std::string LastError(TPlugInState& state) {
  const char* text = nullptr;
  EXPECT_EQ(GetLastErrorText(state.LastError, &text), hr::Ok);
  return text ? text : "(null)";
}

HResult Query(TPlugInState& state, std::int32_t item, const char* params) {
  const char* name = nullptr;
  const char* text = nullptr;
  std::uint8_t kind = 0;
  double number = 0;
  return GetData(state, item, params, &name, &kind, &text, &number);
}

TEST(LastErrorText, SaysNoErrorOnlyUntilTheFirstFailureOfItsOwnObject) {
  TPlugInState state;
  TPlugInState other;
  EXPECT_EQ(LastError(state), "No error");
  const char* key = nullptr;
  const char* value = nullptr;
  ASSERT_EQ(GetAboutItem(state.LastError, 7, &key, &value), hr::Fail);
  // Later successes, of lookups and of queries, do not clear it.
  EXPECT_EQ(GetAboutItem(state.LastError, 0, &key, &value), hr::Ok);
  EXPECT_EQ(Query(state, 0, "FILENAME=no-such-file.txt"), hr::Ok);
  EXPECT_EQ(LastError(state), "Index out of bounds");
  EXPECT_EQ(LastError(other), "No error");
}

TEST(LastErrorText, CarriesTheQueryFailures) {
  const struct {
    std::int32_t item;
    const char* params;
    const char* message;
  } cases[] = {
      {1, "FILENAME=x.txt", "Index out of bounds"},
      {0, "LINE=two", "'two' is not a valid integer value"},
      {0, "FILENAME=x.txt|START=7 ", "'7 ' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    TPlugInState state;
    EXPECT_EQ(Query(state, c.item, c.params), hr::Fail) << c.message;
    EXPECT_EQ(LastError(state), c.message);
  }
}

}  // namespace
}  // namespace filedata::descriptor
