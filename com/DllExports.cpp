// The library's entry points: load and unload, the class object, the
// unload test and self-registration.
#include <windows.h>

#include "com/ComContract.h"
#include "com/ComClassManager.h"
#include "com/ComObjectFactory.h"
#include "com/ComServ.h"

using namespace filedata;
using namespace filedata::com;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      DisableThreadLibraryCalls(instance);
      try {
        StartLibrary(instance);
      } catch (...) {
        StopLibrary();
        return FALSE;  // the loader then refuses the library
      }
      break;
    case DLL_PROCESS_DETACH:
      StopLibrary();
      break;
    default:
      break;
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, LPVOID* out) {
  return UnderComContract(E_UNEXPECTED, [&]() -> HRESULT {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (IsNullReference(classId)) return E_POINTER;
    TComObjectFactory* factory = ClassManagerInstance().FindFactory(classId);
    if (factory == nullptr) return CLASS_E_CLASSNOTAVAILABLE;
    return factory->QueryInterface(iid, out);
  });
}

STDAPI DllCanUnloadNow() {
  const TComServer* server = GlobalComServer;
  return server == nullptr || (server->ObjectCount() == 0 && server->FactoryCount() == 0) ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
  return UnderComContract(E_FAIL, [] {
    GlobalComServer->ApplyServerRegistration(TRegistration::Register);
    return S_OK;
  });
}

STDAPI DllUnregisterServer() {
  return UnderComContract(E_FAIL, [] {
    GlobalComServer->ApplyServerRegistration(TRegistration::Unregister);
    return S_OK;
  });
}
