#pragma once
// A multi-reader/single-writer lock whose writer may lock again, and read,
// on its own thread: a walk under the write lock may call code that takes
// the lock once more. Meets the SharedMutex names, so std::unique_lock and
// std::shared_lock guard it.
#include <atomic>
#include <shared_mutex>
#include <thread>

namespace filedata::com {

class TReentrantSharedLock {
 public:
  void lock();
  bool try_lock();
  void unlock();
  void lock_shared();
  bool try_lock_shared();
  void unlock_shared();

 private:
  bool HeldByThisThread() const noexcept { return owner_.load() == std::this_thread::get_id(); }

  std::shared_mutex mutex_;
  std::atomic<std::thread::id> owner_{};
  int depth_ = 0;  // the owner's nested locks, shared ones included; only the owner touches it
};

}  // namespace filedata::com
