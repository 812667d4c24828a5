#pragma once
// The process's list of class factories, newest first. Lookups share the
// lock; changes and walks hold it alone.
#include <windows.h>

#include <functional>

#include "com/ReentrantSharedLock.h"

namespace filedata::com {

class TComObjectFactory;
class TComServerObject;

class TComClassManager {
 public:
  TComClassManager() = default;
  TComClassManager(const TComClassManager&) = delete;
  TComClassManager& operator=(const TComClassManager&) = delete;

  void AddFactory(TComObjectFactory& factory);
  // Unlinks FACTORY (by identity); nothing happens when it is not listed.
  void RemoveFactory(TComObjectFactory& factory);
  // The newest factory of CLASS_ID, or null.
  TComObjectFactory* FindFactory(REFCLSID classId);
  // Calls VISIT for each factory of SERVER, newest first, holding the lock
  // throughout. VISIT may destroy the factory it is given.
  void VisitFactories(const TComServerObject& server, const std::function<void(TComObjectFactory&)>& visit);

 private:
  TReentrantSharedLock lock_;
  TComObjectFactory* head_ = nullptr;
};

// The one class manager, made on first use.
TComClassManager& ClassManagerInstance();
// Frees it at library unload, after every factory is gone.
void DestroyClassManager() noexcept;

}  // namespace filedata::com
