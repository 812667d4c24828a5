#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/com/ComTestKit.h"

namespace filedata::com::test {
namespace {

std::string failureMessage;
std::vector<std::string> boxesShown;

void RecordErrorBox(const char* text, const char* caption, unsigned int style) {
  EXPECT_STREQ(caption, "RUD Error");
  EXPECT_EQ(style, 0x00010010u);
  boxesShown.push_back(text);
}

enum class Failure { InConstructor, InHook, Foreign };

template <Failure Where>
class TFailingObject : public TTestObject {
 public:
  TFailingObject(TComObjectFactory& factory, IUnknown* outer) : TTestObject(factory, outer) {
    if (Where == Failure::InConstructor) throw Exception(failureMessage);
  }
  void OnConstructed() override {
    if (Where == Failure::InHook) throw Exception(failureMessage);
    throw std::runtime_error(failureMessage);
  }
};

class ComObjectFactoryTest : public testing::Test {
 protected:
  void SetUp() override { previousBox_ = SetErrorBoxFunction(&RecordErrorBox); }
  void TearDown() override { SetErrorBoxFunction(previousBox_); }

  TTestServer server;
  TComObjectFactory factory{server, &NewObjectOf<TTestObject>, CLSID_TestObject, "TestObject", "Test object", "Apartment"};

 private:
  TErrorBoxFunction previousBox_ = nullptr;
};

TEST_F(ComObjectFactoryTest, RefusalsLeaveNoObjectBehind) {
  TTestOuter outer;
  const std::pair<IUnknown*, HRESULT> cases[] = {{nullptr, E_NOINTERFACE}, {&outer, CLASS_E_NOAGGREGATION}};
  for (const auto& [outerUnknown, result] : cases) {
    void* out = &out;
    EXPECT_EQ(factory.CreateInstance(outerUnknown, IID_ITestB, &out), result);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(server.objects, 0);
    EXPECT_EQ(TTestObject::live, 0);
  }
  EXPECT_EQ(factory.CreateInstance(nullptr, IID_ITestA, nullptr), E_POINTER);
}

TEST_F(ComObjectFactoryTest, ConstructionFailureIsShownAndAnsweredUnexpected) {
  constexpr TConstructionErrors kShown = TConstructionErrors::Shown, kSilent = TConstructionErrors::Silent;
  const struct {
    TComObjectCreator creator;
    std::string message;
    TConstructionErrors errors;
    std::vector<std::string> shown;
  } cases[] = {
      {&NewObjectOf<TFailingObject<Failure::InHook>>, "No file", kShown, {"No file."}},
      {&NewObjectOf<TFailingObject<Failure::InConstructor>>, "Code 7", kShown, {"Code 7."}},
      {&NewObjectOf<TFailingObject<Failure::InHook>>, "caf\xE9", kShown, {"caf\xE9."}},
      {&NewObjectOf<TFailingObject<Failure::InHook>>, "Done.", kShown, {"Done."}},
      {&NewObjectOf<TFailingObject<Failure::InHook>>, "Stop!", kShown, {"Stop!"}},
      {&NewObjectOf<TFailingObject<Failure::InHook>>, "(x) ", kShown, {"(x) "}},
      {&NewObjectOf<TFailingObject<Failure::InHook>>, "", kShown, {""}},
      {&NewObjectOf<TFailingObject<Failure::InHook>>, "Quiet", kSilent, {}},
      {&NewObjectOf<TFailingObject<Failure::Foreign>>, "Not ours", kShown, {}},
  };
  for (const auto& c : cases) {
    TComObjectFactory failing{server, c.creator, CLSID_TestObject, "Failing", "Failing object", "Apartment"};
    failing.SetConstructionErrors(c.errors);
    failureMessage = c.message;
    boxesShown.clear();
    void* out = &out;
    EXPECT_EQ(failing.CreateInstance(nullptr, IID_ITestA, &out), E_UNEXPECTED);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(boxesShown, c.shown) << c.message;
    EXPECT_EQ(server.objects, 0) << c.message;
    EXPECT_EQ(TTestObject::live, 0) << c.message;
  }
}

TEST_F(ComObjectFactoryTest, ReferencesMoveOnlyTheFactoryCountAndNeverEndTheFactory) {
  IUnknown* unknown = nullptr;
  IClassFactory* classFactory = nullptr;
  ASSERT_EQ(factory.QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  ASSERT_EQ(factory.QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&classFactory)), S_OK);
  EXPECT_EQ(unknown, classFactory);
  void* out = &out;
  EXPECT_EQ(factory.QueryInterface(IID_ITestA, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(classFactory->AddRef(), 3u);
  EXPECT_EQ(classFactory->Release(), 2u);
  classFactory->Release();
  EXPECT_EQ(unknown->Release(), 0u);
  EXPECT_EQ(server.objects, 0);

  ASSERT_EQ(classFactory->CreateInstance(nullptr, IID_ITestA, &out), S_OK);
  static_cast<ITestA*>(out)->Release();
}

TEST_F(ComObjectFactoryTest, LockServerCountsWhateverComAnswers) {
  for (const bool comStarted : {false, true}) {
    if (comStarted) {
      ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    }
    const HRESULT expected = comStarted ? S_OK : CO_E_NOTINITIALIZED;
    EXPECT_EQ(factory.LockServer(TRUE), expected);
    EXPECT_EQ(server.objects, 1);
    EXPECT_EQ(factory.LockServer(FALSE), expected);
    EXPECT_EQ(server.objects, 0);
    EXPECT_EQ(server.factories, 0);
    if (comStarted) CoUninitialize();
  }
}

}  // namespace
}  // namespace filedata::com::test
