#pragma once
// A server, interfaces, object classes and an outer object of the tests'
// own, to drive the COM frame without the plug-in.
#include <windows.h>

#include <atomic>

#include "com/ComContract.h"
#include "com/ComClassManager.h"
#include "com/ComObject.h"
#include "com/ComObjectFactory.h"
#include "com/ComServerObject.h"
#include "com/ErrorBox.h"
#include "com/OleErrors.h"

namespace filedata::com::test {

extern const GUID IID_ITestA;
extern const GUID IID_ITestB;
extern const GUID CLSID_TestObject;

struct ITestA : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Ping() = 0;
};
struct ITestB : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Pong() = 0;
};

class TTestServer : public TComServerObject {
 public:
  std::int32_t ChangeObjectCount(TCountChange change) override {
    return change == TCountChange::Up ? ++objects : --objects;
  }
  std::int32_t ChangeFactoryCount(TCountChange change) override {
    return change == TCountChange::Up ? ++factories : --factories;
  }
  std::string ModuleFilePath() const override { return "C:\\Test\\TestLib.dll"; }
  std::string ServerKeyName() const override { return "InprocServer32"; }
  std::string LibraryName() const override { return "TestLib"; }

  std::atomic<std::int32_t> objects{0};
  std::atomic<std::int32_t> factories{0};
};

// Answers ITestA. Its hook takes and drops a reference, as a hook may.
class TTestObject : public TComObject, public TDelegatingInterface<TTestObject, ITestA> {
 public:
  TTestObject(TComObjectFactory& factory, IUnknown* outer) : TComObject(factory, outer) {
    ++live;
    newest = this;
  }
  ~TTestObject() override { --live; }
  void OnConstructed() override {
    InnerAddRef();
    InnerRelease();
  }
  HRESULT STDMETHODCALLTYPE Ping() override { return S_OK; }

  static const TInterfaceTable Interfaces;
  static inline std::atomic<int> live{0};  // instances in existence
  static inline TTestObject* newest = nullptr;

 protected:
  const TInterfaceTable& InterfaceTable() const noexcept override { return Interfaces; }
};

// Adds ITestB: three tables in the chain.
class TTestChild : public TTestObject, public TDelegatingInterface<TTestChild, ITestB> {
 public:
  using TTestObject::TTestObject;
  HRESULT STDMETHODCALLTYPE Pong() override { return S_OK; }

  static const TInterfaceTable Interfaces;

 protected:
  const TInterfaceTable& InterfaceTable() const noexcept override { return Interfaces; }
};

// Counts what reaches it; hands every interface but IUnknown to the inner object.
class TTestOuter : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    ++queries;
    if (!IsEqualGUID(iid, IID_IUnknown)) return inner->QueryInterface(iid, out);
    *out = this;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++addRefs; }
  ULONG STDMETHODCALLTYPE Release() override { return ++releases; }

  IUnknown* inner = nullptr;
  int queries = 0, addRefs = 0, releases = 0;
};

}  // namespace filedata::com::test
