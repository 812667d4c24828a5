#pragma once
// The library's one server object: the counts that decide whether the
// library may be unloaded, and registration of its classes.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "com/ComServerObject.h"

namespace filedata::com {

class TComServer final : public TComServerObject {
 public:
  explicit TComServer(HMODULE module) : module_(module) {}
  // Destroys every factory of this server.
  ~TComServer() override;

  std::int32_t ChangeObjectCount(bool increment) override;
  std::int32_t ChangeFactoryCount(bool increment) override;
  std::string ModuleFilePath() const override;
  std::string ServerKeyName() const override;
  std::string LibraryName() const override;

  // Registers (true) or unregisters (false) every factory of this server;
  // internal classes are left out. Failures pass through to the caller.
  void ApplyServerRegistration(bool registering);

  std::int32_t ObjectCount() const noexcept { return objectCount_.load(); }
  std::int32_t FactoryCount() const noexcept { return factoryCount_.load(); }

 private:
  HMODULE module_;
  std::atomic<std::int32_t> objectCount_{0};
  std::atomic<std::int32_t> factoryCount_{0};
  bool registering_ = false;
};

// Null before library start and after unload.
extern TComServer* GlobalComServer;

// Library start and unload, in their fixed orders.
void StartLibrary(HMODULE module);
void StopLibrary() noexcept;

}  // namespace filedata::com
