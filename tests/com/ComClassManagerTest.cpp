#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "tests/com/ComTestKit.h"

namespace filedata::com::test {
namespace {

GUID ClassIdNumber(unsigned long n) {
  GUID id = CLSID_TestObject;
  id.Data1 = n;
  return id;
}

std::unique_ptr<TComObjectFactory> NewFactory(TComServerObject& server, unsigned long classNumber) {
  return std::make_unique<TComObjectFactory>(server, &NewObjectOf<TTestObject>, ClassIdNumber(classNumber), "T", "T",
                                             TClassInstancing::MultiInstance, TThreadingModel::Apartment);
}

TEST(ComClassManager, FindsTheNewestFactoryOfAClass) {
  TTestServer server;
  auto older = NewFactory(server, 1);
  auto newer = NewFactory(server, 1);
  TComClassManager& manager = ClassManagerInstance();
  EXPECT_EQ(manager.FindFactory(ClassIdNumber(1)), newer.get());
  EXPECT_EQ(manager.FindFactory(ClassIdNumber(2)), nullptr);
  newer.reset();
  EXPECT_EQ(manager.FindFactory(ClassIdNumber(1)), older.get());
}

TEST(ComClassManager, VisitsTheServersFactoriesNewestFirstAndLetsTheVisitDestroyThem) {
  TTestServer mine, other;
  NewFactory(mine, 11).release();
  auto kept = NewFactory(other, 12);
  NewFactory(mine, 13).release();
  TComClassManager& manager = ClassManagerInstance();

  std::vector<unsigned long> visited;
  manager.VisitFactories(mine, [&](TComObjectFactory& factory) {
    visited.push_back(factory.ClassId().Data1);
    EXPECT_EQ(manager.FindFactory(factory.ClassId()), &factory);  // a read inside the walk
    delete &factory;
  });
  EXPECT_EQ(visited, (std::vector<unsigned long>{13, 11}));
  EXPECT_EQ(manager.FindFactory(ClassIdNumber(11)), nullptr);
  EXPECT_EQ(manager.FindFactory(ClassIdNumber(12)), kept.get());
}

TEST(ComClassManager, WalkKeepsReadersOfOtherThreadsOut) {
  TTestServer server;
  auto factory = NewFactory(server, 21);
  std::atomic<bool> walkOver{false};
  bool readerSawWalkOver = false;
  std::thread reader;
  ClassManagerInstance().VisitFactories(server, [&](TComObjectFactory&) {
    reader = std::thread([&] {
      ClassManagerInstance().FindFactory(ClassIdNumber(21));
      readerSawWalkOver = walkOver;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    walkOver = true;
  });
  reader.join();
  EXPECT_TRUE(readerSawWalkOver);
}

// Threads create, share, lock and release objects while another changes the
// factory list; every count must come back to zero.
TEST(ComFrameThreads, ConcurrentCreationAndReleaseLeaveEveryCountAtZero) {
  TTestServer server;
  auto factory = NewFactory(server, 31);
  std::vector<ITestA*> shared(8);
  for (auto& object : shared) factory->CreateInstance(nullptr, IID_ITestA, reinterpret_cast<void**>(&object));

  std::atomic<bool> stop{false};
  std::thread churn([&] {
    TTestServer churnServer;
    while (!stop) NewFactory(churnServer, 32);
  });
  std::vector<std::thread> workers;
  for (int t = 0; t < 4; ++t) {
    workers.emplace_back([&] {
      for (int round = 0; round < 2000; ++round) {
        TComObjectFactory* found = ClassManagerInstance().FindFactory(ClassIdNumber(31));
        ITestA* own = nullptr;
        ISupportErrorInfo* info = nullptr;
        found->CreateInstance(nullptr, IID_ITestA, reinterpret_cast<void**>(&own));
        own->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&info));
        ITestA* common = shared[round % shared.size()];
        common->AddRef();
        found->AddRef();
        found->LockServer(TRUE);
        info->Release();
        own->Release();
        found->LockServer(FALSE);
        found->Release();
        common->Release();
      }
    });
  }
  for (auto& worker : workers) worker.join();
  stop = true;
  churn.join();
  EXPECT_EQ(TTestObject::live, 8);
  for (ITestA* object : shared) EXPECT_EQ(object->Release(), 0u);
  EXPECT_EQ(TTestObject::live, 0);
  EXPECT_EQ(server.objects, 0);
  EXPECT_EQ(server.factories, 0);
}

}  // namespace
}  // namespace filedata::com::test
