#include "com/ComClassManager.h"

#include <atomic>
#include <memory>
#include <mutex>

#include "com/ComObjectFactory.h"

namespace filedata::com {

namespace {
std::atomic<TComClassManager*> instance{nullptr};
}  // namespace

TComClassManager& ClassManagerInstance() {
  TComClassManager* current = instance.load();
  if (current != nullptr) return *current;
  // First use is at library start, on one thread; should two race, one
  // manager wins and the other is dropped.
  auto made = std::make_unique<TComClassManager>();
  if (instance.compare_exchange_strong(current, made.get())) return *made.release();
  return *current;
}

void DestroyClassManager() noexcept { delete instance.exchange(nullptr); }

void TComClassManager::AddFactory(TComObjectFactory& factory) {
  std::unique_lock<TReentrantSharedLock> guard(lock_);
  factory.next_ = head_;
  head_ = &factory;
}

void TComClassManager::RemoveFactory(TComObjectFactory& factory) {
  std::unique_lock<TReentrantSharedLock> guard(lock_);
  for (TComObjectFactory** link = &head_; *link != nullptr; link = &(*link)->next_) {
    if (*link == &factory) {
      *link = factory.next_;
      factory.next_ = nullptr;
      return;
    }
  }
}

TComObjectFactory* TComClassManager::FindFactory(REFCLSID classId) {
  std::shared_lock<TReentrantSharedLock> guard(lock_);
  for (TComObjectFactory* node = head_; node != nullptr; node = node->next_) {
    if (IsEqualGUID(node->ClassId(), classId)) return node;
  }
  return nullptr;
}

void TComClassManager::VisitFactories(const TComServerObject& server,
                                      const std::function<void(TComObjectFactory&)>& visit) {
  std::unique_lock<TReentrantSharedLock> guard(lock_);
  for (TComObjectFactory* node = head_; node != nullptr;) {
    TComObjectFactory* next = node->next_;  // read first: VISIT may destroy NODE
    if (&node->Server() == &server) visit(*node);
    node = next;
  }
}

}  // namespace filedata::com
