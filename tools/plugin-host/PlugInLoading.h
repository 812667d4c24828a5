#pragma once
// The two ways a host comes by a plug-in object: by the library's path, or
// by the class identifier the library registered. Each failure raises
// std::runtime_error with the reason.
#include <objbase.h>

#include <stdexcept>
#include <string>

#include "com/QeltGenInterface.h"
#include "tools/plugin-host/ComRef.h"

namespace filedata::host {

// COM entered by this thread as a single-threaded apartment, as a host's
// user-interface thread has, and left again when this goes.
class TComApartment {
 public:
  TComApartment();
  ~TComApartment();
  TComApartment(const TComApartment&) = delete;
  TComApartment& operator=(const TComApartment&) = delete;
};

// A plug-in library loaded by path, freed when this goes: release every
// reference obtained through it first.
class TPlugInLibrary {
 public:
  explicit TPlugInLibrary(std::string path);
  ~TPlugInLibrary();
  TPlugInLibrary(const TPlugInLibrary&) = delete;
  TPlugInLibrary& operator=(const TPlugInLibrary&) = delete;

  // DllGetClassObject for CLASSID and IClassFactory.
  TComRef<IClassFactory> ClassFactory(const CLSID& classId) const;

  // DllCanUnloadNow's answer: S_OK once nothing of the library is in use.
  HRESULT CanUnloadNow() const;

 private:
  FARPROC Export(const char* name) const;

  std::string path_;
  HMODULE module_ = nullptr;
};

// IClassFactory::CreateInstance, not aggregated, for IQeltGen.
TComRef<com::IQeltGen> CreateFromFactory(IClassFactory& factory);

// No class of the identifier asked for is registered.
class EClassNotRegistered : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// CoCreateInstance of the registered CLASSID, in process, for IQeltGen;
// raises EClassNotRegistered when nothing registered it.
TComRef<com::IQeltGen> CreateRegistered(const CLSID& classId);

}  // namespace filedata::host
