#include <gtest/gtest.h>

#include "tests/com/ComTestKit.h"

namespace filedata::com::test {
namespace {

class ComObjectTest : public testing::Test {
 protected:
  template <class Interface = IUnknown>
  Interface* Create(REFIID iid, IUnknown* outer = nullptr) {
    void* out = nullptr;
    EXPECT_EQ(factory.CreateInstance(outer, iid, &out), S_OK);
    return static_cast<Interface*>(out);
  }

  TTestServer server;
  TComObjectFactory factory{server, &NewObjectOf<TTestChild>, CLSID_TestObject, "TestChild", "Test child", "Apartment"};
};

TEST_F(ComObjectTest, LivesUntilTheLastReleaseAndCountsWithTheServerUntilShutdown) {
  auto* a = Create<ITestA>(IID_ITestA);
  EXPECT_EQ(TTestObject::newest->RefCount(), 1);
  EXPECT_EQ(server.objects, 1);
  ITestB* b = nullptr;
  ASSERT_EQ(a->QueryInterface(IID_ITestB, reinterpret_cast<void**>(&b)), S_OK);
  EXPECT_EQ(b->Pong(), S_OK);
  EXPECT_EQ(a->Release(), 1u);
  EXPECT_EQ(TTestObject::live, 1);
  EXPECT_EQ(b->Release(), 0u);
  EXPECT_EQ(TTestObject::live, 0);
  EXPECT_EQ(server.objects, 0);

  a = Create<ITestA>(IID_ITestA);
  ComShuttingDown = true;  // the server is gone by then
  a->Release();
  ComShuttingDown = false;
  EXPECT_EQ(server.objects, 1);
}

// Lookup and error-info support read the same tables, through any interface.
TEST_F(ComObjectTest, EveryInterfaceAnswersFromTheTablesAndWithTheOneInnerUnknown) {
  auto* unknown = Create(IID_IUnknown);
  IUnknown* viaA = nullptr;
  ISupportErrorInfo* viaInfo = nullptr;
  unknown->QueryInterface(IID_ITestA, reinterpret_cast<void**>(&viaA));
  unknown->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&viaInfo));
  const std::pair<const GUID*, HRESULT> cases[] = {{&IID_IUnknown, S_OK},
                                                   {&IID_ITestA, S_OK},
                                                   {&IID_ITestB, S_OK},
                                                   {&IID_ISupportErrorInfo, S_OK},
                                                   {&IID_IClassFactory, E_NOINTERFACE},
                                                   {&IID_IDispatch, E_NOINTERFACE}};
  for (IUnknown* through : {unknown, viaA, static_cast<IUnknown*>(viaInfo)}) {
    for (const auto& [iid, result] : cases) {
      void* out = &out;
      ASSERT_EQ(through->QueryInterface(*iid, &out), result);
      if (result != S_OK) {
        EXPECT_EQ(out, nullptr);
        continue;
      }
      if (iid == &IID_IUnknown) {
        EXPECT_EQ(out, unknown);
      }
      static_cast<IUnknown*>(out)->Release();
    }
    EXPECT_EQ(through->QueryInterface(IID_ITestA, nullptr), E_POINTER);
  }
  for (const auto& [iid, result] : cases) {
    EXPECT_EQ(viaInfo->InterfaceSupportsErrorInfo(*iid), result == S_OK ? S_OK : S_FALSE);
  }
  EXPECT_EQ(TTestObject::newest->RefCount(), 3);
  viaA->Release();
  viaInfo->Release();
  EXPECT_EQ(unknown->Release(), 0u);
}

TEST_F(ComObjectTest, AggregatedObjectDelegatesAllButItsInnerUnknownToTheOuter) {
  TTestOuter outer;
  outer.inner = Create(IID_IUnknown, &outer);
  TTestObject& object = *TTestObject::newest;
  EXPECT_EQ(object.RefCount(), 1);

  ITestA* a = nullptr;  // AddRef'ed through ITestA itself, so the outer counts it
  ASSERT_EQ(outer.inner->QueryInterface(IID_ITestA, reinterpret_cast<void**>(&a)), S_OK);
  a->AddRef();
  a->Release();
  IUnknown* identity = nullptr;
  a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
  EXPECT_EQ(identity, &outer);
  EXPECT_EQ(outer.addRefs, 2);
  EXPECT_EQ(outer.releases, 1);
  EXPECT_EQ(outer.queries, 1);
  EXPECT_EQ(object.RefCount(), 1);

  outer.inner->AddRef();
  EXPECT_EQ(object.RefCount(), 2);
  outer.inner->Release();
  EXPECT_EQ(outer.inner->Release(), 0u);
  EXPECT_EQ(server.objects, 0);
}

}  // namespace
}  // namespace filedata::com::test
