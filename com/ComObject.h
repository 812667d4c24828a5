#pragma once
// The base of every COM object of the library: reference counting, lookup
// through per-class interface tables, aggregation, ISupportErrorInfo.
#include <windows.h>

#include <oaidl.h>  // ISupportErrorInfo, also under WIN32_LEAN_AND_MEAN

#include <atomic>
#include <cstdint>
#include <type_traits>

#include "com/InterfaceTable.h"

namespace filedata::com {

class TComObjectFactory;

// Set when library unload starts: from then on the server is gone, and a
// destroyed object no longer reports to it.
extern std::atomic<bool> ComShuttingDown;

// Slots 0-2 of ISupportErrorInfo and of every interface a derived class adds
// are the delegating IUnknown: they go to the controller when the object is
// aggregated. Only the inner IUnknown (the table's IUnknown entry) reaches
// the object's own count, which is what lets an outer object own it.
class TComObject : public ISupportErrorInfo {
 public:
  // Counts the object with the factory's server. The object is not usable
  // until its factory has run the construction hook (see NewComObject).
  TComObject(TComObjectFactory& factory, IUnknown* outer);
  virtual ~TComObject();
  TComObject(const TComObject&) = delete;
  TComObject& operator=(const TComObject&) = delete;

  virtual void OnConstructed() {}
  // S_OK with the interface AddRef'ed through its own slot 1, else
  // E_NOINTERFACE (E_POINTER for a null OUT) and a null *OUT.
  HRESULT InnerQueryInterface(REFIID iid, void** out);
  ULONG InnerAddRef() noexcept;
  // Destroys the object when the count reaches 0; destructors do not throw.
  ULONG InnerRelease() noexcept;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept final;
  ULONG STDMETHODCALLTYPE AddRef() noexcept final;
  ULONG STDMETHODCALLTYPE Release() noexcept final;
  // S_OK for every identifier in the class's tables, S_FALSE otherwise.
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) noexcept override;

  std::int32_t RefCount() const noexcept { return refCount_.load(); }

  // ISupportErrorInfo and IUnknown; the root of every class's chain.
  static const TInterfaceTable Interfaces;

 protected:
  // A derived class with interfaces of its own returns its table here.
  virtual const TInterfaceTable& InterfaceTable() const noexcept { return Interfaces; }

 private:
  friend class TComObjectFactory;

  class TInnerUnknown final : public IUnknown {
   public:
    explicit TInnerUnknown(TComObject& owner) : owner_(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override;
    ULONG STDMETHODCALLTYPE Release() noexcept override;

   private:
    TComObject& owner_;
  };

  static IUnknown* SupportErrorInfoOf(TComObject& object);
  static IUnknown* InnerUnknownOf(TComObject& object);
  static const TInterfaceEntry kOwnEntries[2];

  const TInterfaceEntry* FindInterface(REFIID iid) const noexcept;
  // Runs OnConstructed under the construction reference, then drops it:
  // a reference the hook takes and gives back cannot destroy the object.
  void FinishConstruction();

  IUnknown* const controller_;  // not AddRef'ed: the outer object owns us
  TComObjectFactory& factory_;
  std::atomic<std::int32_t> refCount_;
  TInnerUnknown inner_;
};

// The base of each interface a derived class implements: gives the
// interface the object's delegating IUnknown.
//   class TThing : public TComObject, public TDelegatingInterface<TThing, IThing> { ... };
template <class Derived, class Interface>
class TDelegatingInterface : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept final {
    return Object().QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept final { return Object().AddRef(); }
  ULONG STDMETHODCALLTYPE Release() noexcept final { return Object().Release(); }

 private:
  TComObject& Object() noexcept { return static_cast<Derived&>(*this); }
};

template <class Derived, class Interface>
IUnknown* InterfacePointerOf(TComObject& object) {
  return static_cast<Interface*>(&static_cast<Derived&>(object));
}

// One entry of a derived class's table:
//   const TInterfaceEntry kThingEntries[] = {InterfaceEntry<TThing, IThing>(IID_IThing)};
//   const TInterfaceTable TThing::Interfaces{kThingEntries, &TComObject::Interfaces};
template <class Derived, class Interface>
constexpr TInterfaceEntry InterfaceEntry(const GUID& iid) {
  static_assert(std::is_base_of_v<TDelegatingInterface<Derived, Interface>, Derived>,
                "an added interface must take the object's delegating IUnknown");
  return {&iid, &InterfacePointerOf<Derived, Interface>};
}

// The class-to-create of a factory.
template <class T>
TComObject* NewObjectOf(TComObjectFactory& factory, IUnknown* outer) {
  return new T(factory, outer);
}

}  // namespace filedata::com
