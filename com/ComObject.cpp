#include "com/ComObject.h"

#include "com/ComContract.h"
#include "com/ComObjectFactory.h"
#include "com/ComServerObject.h"

namespace filedata::com {

std::atomic<bool> ComShuttingDown{false};

const TInterfaceEntry TComObject::kOwnEntries[2] = {
    {&IID_ISupportErrorInfo, &TComObject::SupportErrorInfoOf},
    {&IID_IUnknown, &TComObject::InnerUnknownOf},
};

const TInterfaceTable TComObject::Interfaces{kOwnEntries, nullptr};

IUnknown* TComObject::SupportErrorInfoOf(TComObject& object) { return static_cast<ISupportErrorInfo*>(&object); }

IUnknown* TComObject::InnerUnknownOf(TComObject& object) { return &object.inner_; }

TComObject::TComObject(TComObjectFactory& factory, IUnknown* outer)
    : controller_(outer), factory_(factory), refCount_(1), inner_(*this) {
  factory_.Server().ChangeObjectCount(TCountChange::Up);
}

TComObject::~TComObject() {
  if (ComShuttingDown.load()) return;
  try {
    factory_.Server().ChangeObjectCount(TCountChange::Down);
  } catch (...) {  // a destructor cannot report; the server keeps its own books
  }
}

void TComObject::FinishConstruction() {
  OnConstructed();
  refCount_.fetch_sub(1);
}

const TInterfaceEntry* TComObject::FindInterface(REFIID iid) const noexcept {
  for (const TInterfaceTable* table = &InterfaceTable(); table != nullptr; table = table->base) {
    for (std::size_t i = 0; i < table->count; ++i) {
      if (IsEqualGUID(*table->first[i].iid, iid)) return &table->first[i];
    }
  }
  return nullptr;
}

HRESULT TComObject::InnerQueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (IsNullReference(iid)) return E_POINTER;
  const TInterfaceEntry* entry = FindInterface(iid);
  if (entry == nullptr) return E_NOINTERFACE;
  IUnknown* found = entry->pointerOf(*this);
  found->AddRef();
  *out = found;
  return S_OK;
}

ULONG TComObject::InnerAddRef() noexcept { return static_cast<ULONG>(refCount_.fetch_add(1) + 1); }

ULONG TComObject::InnerRelease() noexcept {
  // Only the value this decrement produced is ours to act on: a re-read
  // could see another thread's change.
  const std::int32_t remaining = refCount_.fetch_sub(1) - 1;
  if (remaining == 0) delete this;
  return static_cast<ULONG>(remaining);
}

HRESULT TComObject::QueryInterface(REFIID iid, void** out) noexcept {
  return UnderComContract(FailedQuery(out), [&] {
    return controller_ != nullptr ? controller_->QueryInterface(iid, out) : InnerQueryInterface(iid, out);
  });
}

ULONG TComObject::AddRef() noexcept {
  return UnderComContract(0, [&] { return controller_ != nullptr ? controller_->AddRef() : InnerAddRef(); });
}

ULONG TComObject::Release() noexcept {
  return UnderComContract(0, [&] { return controller_ != nullptr ? controller_->Release() : InnerRelease(); });
}

HRESULT TComObject::InterfaceSupportsErrorInfo(REFIID iid) noexcept {
  return UnderComContract(S_FALSE, [&] {
    if (IsNullReference(iid)) return E_POINTER;
    return FindInterface(iid) != nullptr ? S_OK : S_FALSE;
  });
}

HRESULT TComObject::TInnerUnknown::QueryInterface(REFIID iid, void** out) noexcept {
  return UnderComContract(FailedQuery(out), [&] { return owner_.InnerQueryInterface(iid, out); });
}

ULONG TComObject::TInnerUnknown::AddRef() noexcept { return owner_.InnerAddRef(); }

ULONG TComObject::TInnerUnknown::Release() noexcept { return owner_.InnerRelease(); }

}  // namespace filedata::com
