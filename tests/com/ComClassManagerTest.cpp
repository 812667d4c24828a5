#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <thread>
#include <vector>

#include "com/ReentrantSharedLock.h"
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
                                             "Apartment");
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

// The class manager's lock, step by step: each attempt of another thread is
// made and finished (joined) before the next step, so no timing decides.
TEST(ReentrantSharedLock, AWriterKeepsOtherThreadsOutButNestsItsOwnReadsAndWrites) {
  TReentrantSharedLock lock;
  const auto otherThreadGets = [&lock](bool exclusive) {
    bool got = false;
    std::thread([&] {
      got = exclusive ? lock.try_lock() : lock.try_lock_shared();
      if (got && exclusive) lock.unlock();
      if (got && !exclusive) lock.unlock_shared();
    }).join();
    return got;
  };
  enum TStep { kLock, kUnlock, kLockShared, kUnlockShared, kTryShared, kTry };
  const struct {
    TStep step;               // on this thread
    bool otherMayRead, otherMayWrite;  // afterwards
  } steps[] = {
      {kLockShared, true, false},  {kUnlockShared, true, true},
      {kLock, false, false},       {kTryShared, false, false},  // a read inside the walk
      {kLock, false, false},       {kUnlock, false, false},     // a write inside the walk
      {kUnlockShared, false, false}, {kTry, false, false},
      {kUnlock, false, false},     {kUnlock, true, true},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(i);
    switch (steps[i].step) {
      case kLock: lock.lock(); break;
      case kUnlock: lock.unlock(); break;
      case kLockShared: lock.lock_shared(); break;
      case kUnlockShared: lock.unlock_shared(); break;
      case kTryShared: ASSERT_TRUE(lock.try_lock_shared()); break;
      case kTry: ASSERT_TRUE(lock.try_lock()); break;
    }
    EXPECT_EQ(otherThreadGets(false), steps[i].otherMayRead);
    EXPECT_EQ(otherThreadGets(true), steps[i].otherMayWrite);
  }
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
