#include "com/ComServ.h"

#include "com/ComClassManager.h"
#include "com/ComObject.h"
#include "com/ComObjectFactory.h"
#include "com/ModulePath.h"
#include "com/PlugInClass.h"
#include "com/PlugServ.h"
#include "query/DecimalSeparator.h"
#include "query/X87.h"

namespace filedata::com {

TComServer* GlobalComServer = nullptr;

TComServer::~TComServer() {
  ClassManagerInstance().VisitFactories(*this, [](TComObjectFactory& factory) { delete &factory; });
}

std::int32_t TComServer::ChangeObjectCount(TCountChange change) {
  return change == TCountChange::Up ? ++objectCount_ : --objectCount_;
}

std::int32_t TComServer::ChangeFactoryCount(TCountChange change) {
  return change == TCountChange::Up ? ++factoryCount_ : --factoryCount_;
}

std::string TComServer::ModuleFilePath() const { return com::ModuleFilePath(module_); }

std::string TComServer::ServerKeyName() const { return std::string(kServerKeyName); }

std::string TComServer::LibraryName() const { return ModuleBaseName(ModuleFilePath()); }

void TComServer::ApplyServerRegistration(TRegistration direction) {
  ClassManagerInstance().VisitFactories(
      *this, [direction](TComObjectFactory& factory) { factory.ApplyRegistration(direction); });
}

void StartLibrary(HMODULE module) {
  // The text utilities: the host's floating-point word and the locale's
  // decimal separator, read once.
  x87::AdoptCallerControlWord();
  InitLocaleDecimalSeparator();
  // The server before the factory, which stores it.
  GlobalComServer = new TComServer(module);
  CreatePlugInFactory(*GlobalComServer);
}

void StopLibrary() noexcept {
  try {
    delete GlobalComServer;
  } catch (...) {  // unload cannot report; go on freeing what is left
  }
  GlobalComServer = nullptr;
  ComShuttingDown = true;
  DestroyClassManager();
}

}  // namespace filedata::com
