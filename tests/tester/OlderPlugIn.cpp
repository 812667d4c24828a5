// A plug-in as an older build answers: the host's three interfaces, but not
// the file view nor, unless FILEDATA_OLDER_EXPLAINS is set (the build
// before the view), the explanation. It aggregates the built plug-in beside
// it and refuses those identifiers, so everything else is the real DLL's.
#include <windows.h>

#include <string>

#include "com/FiledataExplainInterface.h"
#include "com/FiledataFileViewInterface.h"

namespace {

HMODULE BuiltPlugIn() {
  static const HMODULE module = [] {
    wchar_t path[MAX_PATH];
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&BuiltPlugIn), &self);
    const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    std::wstring beside(path, length);
    beside.resize(beside.find_last_of(L'\\') + 1);
    return LoadLibraryW((beside + L"QeltGen_Filedata.dll").c_str());
  }();
  return module;
}

// The outer object: its own count, the built object inside.
class TOlderObject final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualGUID(iid, filedata::com::IID_IFiledataFileView)) return E_NOINTERFACE;
    if (IsEqualGUID(iid, filedata::com::IID_IFiledataExplain) && !GetEnvironmentVariableW(L"FILEDATA_OLDER_EXPLAINS", nullptr, 0)) {
      return E_NOINTERFACE;
    }
    if (!IsEqualGUID(iid, IID_IUnknown)) return inner_->QueryInterface(iid, out);
    *out = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&count_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&count_);
    if (left == 0) {
      if (inner_) inner_->Release();
      delete this;
    }
    return static_cast<ULONG>(left);
  }

  IUnknown* inner_ = nullptr;

 private:
  LONG count_ = 1;
};

class TOlderFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = IsEqualGUID(iid, IID_IUnknown) || IsEqualGUID(iid, IID_IClassFactory) ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives as long as the library
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    using TGetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    const auto getClassObject = reinterpret_cast<TGetClassObject>(
        reinterpret_cast<void (*)()>(GetProcAddress(BuiltPlugIn(), "DllGetClassObject")));
    IClassFactory* built = nullptr;
    if (!getClassObject || FAILED(getClassObject(classId, IID_IClassFactory, reinterpret_cast<void**>(&built)))) {
      return CLASS_E_CLASSNOTAVAILABLE;
    }
    auto* object = new TOlderObject;
    HRESULT result = built->CreateInstance(object, IID_IUnknown, reinterpret_cast<void**>(&object->inner_));
    built->Release();
    if (SUCCEEDED(result)) result = object->QueryInterface(iid, out);
    object->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

  CLSID classId{};
};

TOlderFactory factory;

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID iid, void** out) {
  factory.classId = classId;
  return factory.QueryInterface(iid, out);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_FALSE; }
