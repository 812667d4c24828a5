#include "com/ReentrantSharedLock.h"

namespace filedata::com {

void TReentrantSharedLock::lock() {
  if (HeldByThisThread()) {
    ++depth_;
    return;
  }
  mutex_.lock();
  owner_.store(std::this_thread::get_id());
  depth_ = 1;
}

bool TReentrantSharedLock::try_lock() {
  if (HeldByThisThread()) {
    ++depth_;
    return true;
  }
  if (!mutex_.try_lock()) return false;
  owner_.store(std::this_thread::get_id());
  depth_ = 1;
  return true;
}

void TReentrantSharedLock::unlock() {
  if (--depth_ > 0) return;
  owner_.store(std::thread::id());
  mutex_.unlock();
}

// The writer reading nests inside its own write lock; anything else would
// wait for itself.
void TReentrantSharedLock::lock_shared() {
  if (HeldByThisThread()) {
    ++depth_;
    return;
  }
  mutex_.lock_shared();
}

bool TReentrantSharedLock::try_lock_shared() {
  if (HeldByThisThread()) {
    ++depth_;
    return true;
  }
  return mutex_.try_lock_shared();
}

void TReentrantSharedLock::unlock_shared() {
  if (HeldByThisThread()) {
    unlock();
    return;
  }
  mutex_.unlock_shared();
}

}  // namespace filedata::com
