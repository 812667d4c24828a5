#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tools/common/Description.h"

namespace filedata::tool {
namespace {

// A plug-in object that answers like a one-item plug-in, except that the
// operation named FailAt fails and the one named NullAt answers S_OK
// without writing its text.
class TFakeObject final : public IPlugIn {
 public:
  std::string FailAt;
  std::string NullAt;

  HResult GetName(const char** name) noexcept override { return Answer("GetName", name, "Fake"); }
  HResult GetVersionA(std::uint16_t* value) noexcept override { return Number("GetVersionA", value, 1); }
  HResult GetVersionB(std::uint16_t* value) noexcept override { return Number("GetVersionB", value, 2); }
  HResult GetAboutCount(std::int32_t* count) noexcept override { return Number("GetAboutCount", count, 1); }
  HResult GetAboutItem(std::int32_t, const char** key, const char** value) noexcept override {
    if (Answer("GetAboutItem", key, "Key") != hr::Ok) return hr::Fail;
    return Answer("GetAboutItem.value", value, "Value");
  }
  HResult GetDataCount(std::int32_t* count) noexcept override { return Number("GetDataCount", count, 1); }
  HResult GetDataInfo(std::int32_t, const char** name, std::uint8_t* kind) noexcept override {
    *kind = 2;
    return Answer("GetDataInfo", name, "Item");
  }
  HResult GetParamCount(std::int32_t, std::int32_t* count) noexcept override { return Number("GetParamCount", count, 1); }
  HResult GetParamInfo(std::int32_t, std::int32_t, const char** name, const char** defaultValue,
                       const char** description) noexcept override {
    return Row("GetParamInfo", name, defaultValue, description);
  }
  HResult GetAdvancedParamCount(std::int32_t, std::int32_t* count) noexcept override {
    return Number("GetAdvancedParamCount", count, 0);
  }
  HResult GetAdvancedParamInfo(std::int32_t, std::int32_t, const char** name, const char** defaultValue,
                               const char** description) noexcept override {
    return Row("GetAdvancedParamInfo", name, defaultValue, description);
  }
  HResult GetEditorFlags(std::int32_t, std::uint8_t* flags) noexcept override { return Number("GetEditorFlags", flags, 0); }
  HResult GetParamEditor(std::int32_t, const char*, std::uint8_t* kind, const char**) noexcept override {
    return Number("GetParamEditor", kind, 0);
  }
  HResult GetUpdateLocation(const char** location) noexcept override {
    return Answer("GetUpdateLocation", location, "http://x/u.upd");
  }
  HResult SetHostValue(std::int32_t) noexcept override { return hr::Ok; }
  HResult GetData(std::int32_t, const char*, const char**, std::uint8_t*, const char**, double*) noexcept override {
    return hr::NotImpl;
  }
  HResult HostHookA() noexcept override { return hr::Ok; }
  HResult HostHookB() noexcept override { return hr::Ok; }
  HResult OptionalRequest() noexcept override { return hr::NotImpl; }
  HResult GetLastErrorText(const char** text) noexcept override {
    *text = lastError_;
    return hr::Ok;
  }

 private:
  HResult Failed() {
    lastError_ = "Index out of bounds";
    return hr::Fail;
  }
  HResult Answer(const std::string& operation, const char** out, const char* text) {
    if (operation == FailAt) return Failed();
    if (operation != NullAt) *out = text;
    return hr::Ok;
  }
  template <typename T>
  HResult Number(const std::string& operation, T* out, int value) {
    if (operation == FailAt) return Failed();
    *out = static_cast<T>(value);
    return hr::Ok;
  }
  HResult Row(const std::string& operation, const char** name, const char** defaultValue, const char** description) {
    if (Answer(operation, name, "Param") != hr::Ok) return hr::Fail;
    Answer(operation + ".default", defaultValue, "1");
    return Answer(operation + ".description", description, "Help");
  }

  const char* lastError_ = "No error";
};

TEST(DescribeSource, AFailedQuestionIsReportedWithTheObjectsLastError) {
  const struct {
    const char* failAt;
    const char* reason;
  } cases[] = {
      {"GetName", "GetName answered E_FAIL (Index out of bounds)"},
      {"GetAboutItem", "GetAboutItem answered E_FAIL (Index out of bounds)"},
      {"GetDataInfo", "GetDataInfo answered E_FAIL (Index out of bounds)"},
      {"GetParamInfo", "parameter info answered E_FAIL (Index out of bounds)"},
      {"GetEditorFlags", "GetEditorFlags answered E_FAIL (Index out of bounds)"},
      {"GetUpdateLocation", "GetUpdateLocation answered E_FAIL (Index out of bounds)"},
  };
  for (const auto& c : cases) {
    TFakeObject object;
    object.FailAt = c.failAt;
    try {
      Describe(object, TLastErrorQuestion::Ask);
      ADD_FAILURE() << c.failAt << " did not fail";
    } catch (const std::runtime_error& failure) {
      EXPECT_STREQ(failure.what(), c.reason);
    }
  }
}

TEST(DescribeSource, ATextLeftUnwrittenOnSuccessIsAFaultNotACrash) {
  for (const char* nullAt : {"GetName", "GetAboutItem", "GetAboutItem.value", "GetDataInfo", "GetParamInfo",
                             "GetParamInfo.default", "GetParamInfo.description", "GetUpdateLocation"}) {
    TFakeObject object;
    object.NullAt = nullAt;
    EXPECT_THROW(Describe(object, TLastErrorQuestion::Ask), std::runtime_error) << nullAt;
  }
}

TEST(DescribeSource, TheObjectsLastErrorTextIsShownOnlyWhenAskedFor) {
  TFakeObject object;
  const TDescription described = Describe(object, TLastErrorQuestion::Ask);
  ASSERT_EQ(described.LastErrorText, std::optional<std::string>("No error"));
  EXPECT_NE(PlainDescription(described).find("\nLast-error text  No error\n\nAbout\n"), std::string::npos);
  EXPECT_NE(JsonDescription(described)
                .find(R"("updateLocation":"http://x/u.upd","lastErrorText":"No error"})"),
            std::string::npos);

  const TDescription withoutObject = Describe(object, TLastErrorQuestion::Skip);
  EXPECT_FALSE(withoutObject.LastErrorText);
  EXPECT_EQ(PlainDescription(withoutObject).find("Last-error"), std::string::npos);
  EXPECT_EQ(JsonDescription(withoutObject).find("lastErrorText"), std::string::npos);
}

}  // namespace
}  // namespace filedata::tool
