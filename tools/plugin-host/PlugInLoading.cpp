#include "tools/plugin-host/PlugInLoading.h"

#include <stdexcept>

#include "tools/common/Answered.h"
#include "tools/plugin-host/ComResultText.h"

namespace filedata::host {

namespace {
using TGetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, LPVOID*);
using TCanUnloadNowFunction = HRESULT(STDAPICALLTYPE*)();

// GetProcAddress knows no signatures. Going through void (*)() is the one
// function-pointer cast the compiler accepts without a warning.
template <typename Function>
Function AsFunction(FARPROC address) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

// The reference a successful call wrote, or the reason there is none.
template <typename Interface>
TComRef<Interface> Obtained(HRESULT result, TComRef<Interface> reference, const char* what) {
  if (FAILED(result)) throw std::runtime_error(ComFailure(what, result));
  if (!reference) throw std::runtime_error(tool::Answered(what, result) + " but wrote null");
  return reference;
}
}  // namespace

TComApartment::TComApartment() {
  const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(result)) throw std::runtime_error(ComFailure("CoInitializeEx", result));
}

TComApartment::~TComApartment() { CoUninitialize(); }

TPlugInLibrary::TPlugInLibrary(std::string path) : path_(std::move(path)) {
  module_ = LoadLibraryA(path_.c_str());
  if (!module_) throw std::runtime_error("cannot load " + path_ + ": " + LoadErrorText(GetLastError(), path_));
}

TPlugInLibrary::~TPlugInLibrary() { FreeLibrary(module_); }

FARPROC TPlugInLibrary::Export(const char* name) const {
  const FARPROC address = GetProcAddress(module_, name);
  if (!address) throw std::runtime_error(path_ + " does not export " + name);
  return address;
}

TComRef<IClassFactory> TPlugInLibrary::ClassFactory(const CLSID& classId) const {
  const auto getClassObject = AsFunction<TGetClassObjectFunction>(Export("DllGetClassObject"));
  TComRef<IClassFactory> factory;
  const HRESULT result = getClassObject(classId, IID_IClassFactory, factory.OutVoid());
  return Obtained(result, std::move(factory), "DllGetClassObject for IClassFactory");
}

HRESULT TPlugInLibrary::CanUnloadNow() const { return AsFunction<TCanUnloadNowFunction>(Export("DllCanUnloadNow"))(); }

TComRef<com::IQeltGen> CreateFromFactory(IClassFactory& factory) {
  TComRef<com::IQeltGen> object;
  const HRESULT result = factory.CreateInstance(nullptr, com::IID_IQeltGen, object.OutVoid());
  return Obtained(result, std::move(object), "IClassFactory::CreateInstance for IQeltGen");
}

TComRef<com::IQeltGen> CreateRegistered(const CLSID& classId) {
  TComRef<com::IQeltGen> object;
  const HRESULT result = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, com::IID_IQeltGen, object.OutVoid());
  if (result == REGDB_E_CLASSNOTREG) {
    throw EClassNotRegistered(ComFailure("CoCreateInstance", result) + "; register the DLL with regsvr32 first");
  }
  return Obtained(result, std::move(object), "CoCreateInstance for IQeltGen");
}

}  // namespace filedata::host
