// The built library driven as a host drives it: exports, class object,
// unload answers, one object behind three interfaces, hostile input.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/plugin/PlugInDllFixture.h"

namespace filedata::plugintest {
namespace {

TEST_F(PlugInDllTest, ExportsTheFourEntryPointsUnderTheirOrdinals) {
  const char* const names[] = {"DllUnregisterServer", "DllRegisterServer", "DllCanUnloadNow", "DllGetClassObject"};
  for (WORD ordinal = 1; ordinal <= 4; ++ordinal) {
    SCOPED_TRACE(names[ordinal - 1]);
    EXPECT_NE(library_.Export(names[ordinal - 1]), nullptr);
    EXPECT_EQ(library_.Export(names[ordinal - 1]), library_.Export(MAKEINTRESOURCEA(ordinal)));
  }
}
TEST_F(PlugInDllTest, TheThreeInterfacesShareOneObjectAndOneCount) {
  IQeltGen* gen = library_.NewObject<IQeltGen>(IID_IQeltGen).Detach();
  ASSERT_NE(gen, nullptr);
  IQeltAutoUpdate* update = nullptr;
  IQeltEditorSupport* editor = nullptr;
  ASSERT_EQ(gen->QueryInterface(IID_IQeltAutoUpdate, reinterpret_cast<void**>(&update)), S_OK);
  ASSERT_EQ(gen->QueryInterface(IID_IQeltEditorSupport, reinterpret_cast<void**>(&editor)), S_OK);
  EXPECT_EQ(update->AddRef(), 4u);
  EXPECT_EQ(gen->Release(), 3u);
  EXPECT_EQ(editor->AddRef(), 4u);
  EXPECT_EQ(update->Release(), 3u);
  EXPECT_EQ(editor->Release(), 2u);

  // One IUnknown, whichever interface is asked.
  IUnknown* const views[] = {gen, update, editor};
  TComRef<IUnknown> identity = QueryAs<IUnknown>(gen, IID_IUnknown);
  ASSERT_TRUE(identity);
  for (IUnknown* view : views) EXPECT_EQ(QueryAs<IUnknown>(view, IID_IUnknown).Get(), identity.Get());
  identity.Reset();

  // A foreign interface: refused, out cleared, count unchanged.
  void* foreign = &foreign;
  EXPECT_EQ(update->QueryInterface(kForeignId, &foreign), E_NOINTERFACE);
  EXPECT_EQ(foreign, nullptr);

  // The object works through the pointer that stays and dies with the last Release.
  WORD version = 0;
  EXPECT_EQ(gen->GetVersionA(&version), S_OK);
  EXPECT_EQ(version, 501);
  const char* location = nullptr;
  EXPECT_EQ(update->GetUpdateLocation(&location), S_OK);
  EXPECT_EQ(gen->Release(), 1u);
  EXPECT_EQ(library_.CanUnloadNow(), S_FALSE);
  EXPECT_EQ(update->Release(), 0u);
  EXPECT_EQ(library_.CanUnloadNow(), S_OK);
}

TEST_F(PlugInDllTest, SupportErrorInfoAnswersForTheObjectsOwnInterfaces) {
  const TObjectViews plugIn = NewPlugIn();
  ASSERT_TRUE(plugIn.gen);
  const TComRef<ISupportErrorInfo> errorInfo = QueryAs<ISupportErrorInfo>(plugIn.update.Get(), IID_ISupportErrorInfo);
  ASSERT_TRUE(errorInfo);
  const struct {
    const IID* iid;
    HRESULT answer;
  } answers[] = {
      {&IID_IQeltGen, S_OK},        {&IID_IQeltEditorSupport, S_OK}, {&IID_IQeltAutoUpdate, S_OK},
      {&IID_IFiledataExplain, S_OK}, {&IID_IFiledataFileView, S_OK},
      {&IID_IUnknown, S_OK},        {&IID_ISupportErrorInfo, S_OK},  {&IID_IClassFactory, S_FALSE},
      {&kForeignId, S_FALSE},
  };
  for (const auto& answer : answers) EXPECT_EQ(errorInfo->InterfaceSupportsErrorInfo(*answer.iid), answer.answer);
}

// A slot called as a C host calls it, with a pointer where the C++
// declaration has a reference, so that a null one can be passed.
template <class... Args>
HRESULT CallSlot(IUnknown* object, int slot, Args... args) {
  using Slot = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, Args...);
  return reinterpret_cast<Slot>((*reinterpret_cast<void***>(object))[slot])(object, args...);
}

using RawGetClassObject = HRESULT(STDAPICALLTYPE*)(const GUID*, const GUID*, void**);

// What a hostile host can reach: every interface of one object, the factory
// and the export.
struct TReachable {
  IUnknown *gen, *editor, *update, *explain, *fileView, *errorInfo, *unknown, *factory;
  RawGetClassObject getClassObject;
};

TEST_F(PlugInDllTest, NullIdentifiersAreRefusedNotFollowed) {
  constexpr const GUID* kNull = nullptr;
  constexpr IUnknown* kNoOuter = nullptr;
  const TComRef<IClassFactory> factory = library_.Factory();
  ASSERT_TRUE(factory);
  const TObjectViews plugIn = NewPlugIn();
  ASSERT_TRUE(plugIn.gen);
  const TComRef<ISupportErrorInfo> errorInfo = QueryAs<ISupportErrorInfo>(plugIn.gen.Get(), IID_ISupportErrorInfo);
  const TComRef<IUnknown> unknown = QueryAs<IUnknown>(plugIn.gen.Get(), IID_IUnknown);
  ASSERT_TRUE(errorInfo && unknown);
  const TReachable reach = {plugIn.gen.Get(), plugIn.editor.Get(), plugIn.update.Get(), plugIn.explain.Get(),
                            plugIn.fileView.Get(), errorInfo.Get(),
                            unknown.Get(), factory.Get(),
                            reinterpret_cast<RawGetClassObject>(
                                reinterpret_cast<void*>(library_.Export("DllGetClassObject")))};

  const struct {
    const char* call;
    HRESULT (*run)(const TReachable&, void** out);
    bool writesOut;
  } cases[] = {
      {"IQeltGen QueryInterface", [](const TReachable& r, void** out) { return CallSlot(r.gen, 0, kNull, out); }, true},
      {"IQeltEditorSupport QueryInterface",
       [](const TReachable& r, void** out) { return CallSlot(r.editor, 0, kNull, out); }, true},
      {"IQeltAutoUpdate QueryInterface",
       [](const TReachable& r, void** out) { return CallSlot(r.update, 0, kNull, out); }, true},
      {"IFiledataExplain QueryInterface",
       [](const TReachable& r, void** out) { return CallSlot(r.explain, 0, kNull, out); }, true},
      {"IFiledataFileView QueryInterface",
       [](const TReachable& r, void** out) { return CallSlot(r.fileView, 0, kNull, out); }, true},
      {"ISupportErrorInfo QueryInterface",
       [](const TReachable& r, void** out) { return CallSlot(r.errorInfo, 0, kNull, out); }, true},
      {"IUnknown QueryInterface", [](const TReachable& r, void** out) { return CallSlot(r.unknown, 0, kNull, out); },
       true},
      {"InterfaceSupportsErrorInfo", [](const TReachable& r, void**) { return CallSlot(r.errorInfo, 3, kNull); },
       false},
      {"IClassFactory QueryInterface",
       [](const TReachable& r, void** out) { return CallSlot(r.factory, 0, kNull, out); }, true},
      {"CreateInstance", [](const TReachable& r, void** out) { return CallSlot(r.factory, 3, kNoOuter, kNull, out); },
       true},
      {"CreateInstance aggregated",
       [](const TReachable& r, void** out) { return CallSlot(r.factory, 3, r.gen, kNull, out); }, true},
      {"DllGetClassObject(null class)",
       [](const TReachable& r, void** out) { return r.getClassObject(kNull, &IID_IClassFactory, out); }, true},
      {"DllGetClassObject(null interface)",
       [](const TReachable& r, void** out) { return r.getClassObject(&CLSID_FileData, kNull, out); }, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.call);
    void* out = &out;
    EXPECT_EQ(c.run(reach, &out), E_POINTER);
    if (c.writesOut) {
      EXPECT_EQ(out, nullptr);
    }
  }
}

TEST_F(PlugInDllTest, GetClassObjectHandsOutTheFactoryForItsClassOnly) {
  const struct {
    const char* label;
    const CLSID* classId;
    const IID* iid;
    HRESULT result;
  } cases[] = {
      {"IClassFactory", &CLSID_FileData, &IID_IClassFactory, S_OK},
      {"IUnknown", &CLSID_FileData, &IID_IUnknown, S_OK},
      {"foreign interface", &CLSID_FileData, &IID_IQeltGen, E_NOINTERFACE},
      {"foreign class", &kForeignId, &IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    void* out = &out;
    EXPECT_EQ(library_.GetClassObject(*c.classId, *c.iid, &out), c.result);
    if (c.result == S_OK) {
      ASSERT_NE(out, nullptr);
      EXPECT_EQ(library_.CanUnloadNow(), S_FALSE);
      static_cast<IUnknown*>(out)->Release();
    } else {
      EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(library_.CanUnloadNow(), S_OK);
  }
}

TEST_F(PlugInDllTest, CanUnloadOnlyWithoutFactoryReferencesObjectsOrLocks) {
  EXPECT_EQ(library_.CanUnloadNow(), S_OK);

  TComRef<IClassFactory> factory = library_.Factory();
  ASSERT_TRUE(factory);
  EXPECT_EQ(library_.CanUnloadNow(), S_FALSE);
  TComRef<IQeltGen> object;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IQeltGen, object.OutVoid()), S_OK);
  factory.Reset();
  EXPECT_EQ(library_.CanUnloadNow(), S_FALSE) << "an object is alive";
  object.Reset();
  EXPECT_EQ(library_.CanUnloadNow(), S_OK);

  // Outside an apartment COM keeps nothing for a lock, whatever it answers:
  // only the server's own count holds the library.
  factory = library_.Factory();
  ASSERT_TRUE(factory);
  factory->LockServer(TRUE);
  factory.Reset();
  EXPECT_EQ(library_.CanUnloadNow(), S_FALSE) << "the server is locked";
  factory = library_.Factory();
  ASSERT_TRUE(factory);
  factory->LockServer(FALSE);
  factory.Reset();
  EXPECT_EQ(library_.CanUnloadNow(), S_OK);

  // A host locks the server from its own apartment.
  const TApartment apartment;
  ASSERT_TRUE(SUCCEEDED(apartment.Result()));
  factory = library_.Factory();
  ASSERT_TRUE(factory);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  factory.Reset();
  EXPECT_EQ(library_.CanUnloadNow(), S_FALSE) << "the server is locked";
  factory = library_.Factory();
  ASSERT_TRUE(factory);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  factory.Reset();
  EXPECT_EQ(library_.CanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace filedata::plugintest
