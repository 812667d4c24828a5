#pragma once
// The built plug-in library as a host meets it: loaded by path, reached only
// through its four exports and the interfaces they hand out.
#include <windows.h>

#include <filesystem>
#include <string>

#include "tests/support/ScratchFolder.h"
#include "tools/plugin-host/ComRef.h"
#include <system_error>
#include <utility>

namespace filedata::plugintest {

inline constexpr CLSID CLSID_FileData = {0x74AE9A69, 0x3FE7, 0x496B, {0xA3, 0x75, 0x89, 0x3E, 0x07, 0x6A, 0xD0, 0x4D}};
inline constexpr char kClassText[] = "{74AE9A69-3FE7-496B-A375-893E076AD04D}";
inline constexpr char kDescription[] = "Filedata plugin for Qelt";
inline constexpr char kLibraryFileName[] = "QeltGen_Filedata.dll";
// Neither a class nor an interface anything here knows.
inline constexpr GUID kForeignId = {0x0F0E0D0C, 0x0B0A, 0x4908, {0x87, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01, 0x00}};

// The library is built next to the test programs.
inline std::string BuiltLibraryPath() {
  char buffer[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  std::string path(buffer, length < MAX_PATH ? length : 0);
  path.resize(path.find_last_of('\\') + 1);
  return path + kLibraryFileName;
}

using host::TComRef;

template <class T>
TComRef<T> QueryAs(IUnknown* from, REFIID iid) {
  TComRef<T> result;
  from->QueryInterface(iid, result.OutVoid());
  return result;
}

// The DLL under test: LoadLibrary and FreeLibrary, and typed calls of the
// exports that fail as the DLL answers, never by raising (the host
// stand-in's TPlugInLibrary raises instead, for its own messages).
class TDllUnderTest {
 public:
  explicit TDllUnderTest(const std::string& path = BuiltLibraryPath()) : module_(LoadLibraryA(path.c_str())) {}
  TDllUnderTest(const TDllUnderTest&) = delete;
  TDllUnderTest& operator=(const TDllUnderTest&) = delete;
  ~TDllUnderTest() {
    if (module_) FreeLibrary(module_);
  }

  HMODULE Module() const { return module_; }
  FARPROC Export(LPCSTR nameOrOrdinal) const { return module_ ? GetProcAddress(module_, nameOrOrdinal) : nullptr; }
  bool HasAllExports() const {
    return Export("DllGetClassObject") && Export("DllCanUnloadNow") && Export("DllRegisterServer") &&
           Export("DllUnregisterServer");
  }

  HRESULT GetClassObject(REFCLSID classId, REFIID iid, void** out) const {
    return As<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>("DllGetClassObject")(classId, iid, out);
  }
  HRESULT CanUnloadNow() const { return As<HRESULT(STDAPICALLTYPE*)()>("DllCanUnloadNow")(); }

  TComRef<IClassFactory> Factory() const {
    TComRef<IClassFactory> factory;
    GetClassObject(CLSID_FileData, IID_IClassFactory, factory.OutVoid());
    return factory;
  }
  // A new plug-in object, as a host makes one; the factory reference is gone again.
  template <class T>
  TComRef<T> NewObject(REFIID iid) const {
    TComRef<T> object;
    if (const TComRef<IClassFactory> factory = Factory()) factory->CreateInstance(nullptr, iid, object.OutVoid());
    return object;
  }

 private:
  template <class F>
  F As(const char* name) const {
    return reinterpret_cast<F>(reinterpret_cast<void*>(Export(name)));
  }

  HMODULE module_;
};

// CoInitializeEx / CoUninitialize around a scope, apartment-threaded as a host's UI thread.
class TApartment {
 public:
  TApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  TApartment(const TApartment&) = delete;
  TApartment& operator=(const TApartment&) = delete;
  ~TApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  HRESULT Result() const { return result_; }

 private:
  HRESULT result_;
};

using filedata::testing::TScratchFolder;

}  // namespace filedata::plugintest
