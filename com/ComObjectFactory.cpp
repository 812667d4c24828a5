#include "com/ComObjectFactory.h"

#include <memory>

#include "com/ComContract.h"
#include "com/ComClassManager.h"
#include "com/ComObject.h"
#include "com/ComServerObject.h"
#include "com/ErrorBox.h"
#include "com/RegistryRows.h"
#include "query/Errors.h"

namespace filedata::com {

namespace {

// Called inside the handler of a failed construction: shows the library's
// own exceptions, whose messages are meant for people; others stay silent.
void ShowConstructionFailure() noexcept {
  try {
    throw;
  } catch (const Exception& failure) {
    try {
      ShowErrorBox(ErrorBoxText(failure.Message()));
    } catch (...) {  // no memory for the text: the result code must do
    }
  } catch (...) {
  }
}

}  // namespace

TComObjectFactory::TComObjectFactory(TComServerObject& server, TComObjectCreator creator, const GUID& classId,
                                     std::string_view className, std::string_view description,
                                     std::string_view threadingModel)
    : server_(server),
      creator_(creator),
      classId_(classId),
      className_(className),
      description_(description),
      threadingModel_(threadingModel) {
  // Entered last, so that no lookup on another thread meets a half-made factory.
  ClassManagerInstance().AddFactory(*this);
}

TComObjectFactory::~TComObjectFactory() {
  try {
    ClassManagerInstance().RemoveFactory(*this);
  } catch (...) {  // a destructor cannot report
  }
}

std::string TComObjectFactory::BuildProgID() const { return ProgIDOf(server_.LibraryName(), className_); }

TComObject* TComObjectFactory::NewComObject(IUnknown* outer) {
  std::unique_ptr<TComObject> object(creator_(*this, outer));
  object->FinishConstruction();
  return object.release();
}

HRESULT TComObjectFactory::QueryInterface(REFIID iid, void** out) noexcept {
  return UnderComContract(FailedQuery(out), [&]() -> HRESULT {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (IsNullReference(iid)) return E_POINTER;
    if (!IsEqualGUID(iid, IID_IUnknown) && !IsEqualGUID(iid, IID_IClassFactory)) return E_NOINTERFACE;
    IClassFactory* self = this;
    self->AddRef();
    *out = self;
    return S_OK;
  });
}

ULONG TComObjectFactory::AddRef() noexcept {
  return UnderComContract(0, [&] { return static_cast<ULONG>(server_.ChangeFactoryCount(TCountChange::Up)); });
}

ULONG TComObjectFactory::Release() noexcept {
  return UnderComContract(0, [&] { return static_cast<ULONG>(server_.ChangeFactoryCount(TCountChange::Down)); });
}

HRESULT TComObjectFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) noexcept {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (IsNullReference(iid)) return E_POINTER;
  // An outer object must hold the inner IUnknown, or it could not control
  // the aggregate's lifetime.
  if (outer != nullptr && !IsEqualGUID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  const auto constructionFailed = [this, out]() noexcept {
    *out = nullptr;
    if (constructionErrors_ == TConstructionErrors::Shown) ShowConstructionFailure();
    return E_UNEXPECTED;
  };
  return UnderComContract(constructionFailed, [&] {
    std::unique_ptr<TComObject> object(NewComObject(outer));
    const HRESULT result = object->InnerQueryInterface(iid, out);
    // A failed query leaves an object that nobody holds: it goes again.
    if (object->RefCount() != 0) object.release();
    return result;
  });
}

HRESULT TComObjectFactory::LockServer(BOOL lock) noexcept {
  return UnderComContract(E_UNEXPECTED, [&] {
    const HRESULT result = CoLockObjectExternal(static_cast<IClassFactory*>(this), lock, TRUE);
    // Counted whatever COM answered, so that every unlock has its lock.
    server_.ChangeObjectCount(lock != FALSE ? TCountChange::Up : TCountChange::Down);
    return result;
  });
}

}  // namespace filedata::com
