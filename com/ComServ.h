#pragma once
// The library's one server object: the counts that decide whether the
// library may be unloaded, and registration of its classes.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "com/ComObjectFactory.h"
#include "com/ComServerObject.h"

namespace filedata::com {

// TComServer: the library's one server object, held in GlobalComServer.
class TComServer final : public TComServerObject {
 public:
  explicit TComServer(HMODULE module) : module_(module) {}
  // Destroys every factory of this server.
  ~TComServer() override;

  std::int32_t ChangeObjectCount(TCountChange change) override;
  std::int32_t ChangeFactoryCount(TCountChange change) override;
  std::string ModuleFilePath() const override;
  std::string ServerKeyName() const override;
  std::string LibraryName() const override;

  // Registers or unregisters every factory of this server. Failures pass
  // through to the caller.
  void ApplyServerRegistration(TRegistration direction);

  std::int32_t ObjectCount() const noexcept { return objectCount_.load(); }
  std::int32_t FactoryCount() const noexcept { return factoryCount_.load(); }

 private:
  HMODULE module_;
  std::atomic<std::int32_t> objectCount_{0};
  std::atomic<std::int32_t> factoryCount_{0};
};

// Null before library start and after unload.
extern TComServer* GlobalComServer;

// Library start and unload, in their fixed orders.
void StartLibrary(HMODULE module);
void StopLibrary() noexcept;

}  // namespace filedata::com
