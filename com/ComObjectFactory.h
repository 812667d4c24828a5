#pragma once
// The class factory: the link between a class identifier and the class of
// objects to create, and the IClassFactory that COM hands to clients.
#include <windows.h>

#include <cstdint>
#include <string>

namespace filedata::com {

class TComObject;
class TComObjectFactory;
class TComServerObject;

// Internal: the class is never written to the registry. Multiple
// instances: one new object per CreateInstance, as this library's class.
enum class TClassInstancing : std::uint8_t { Internal = 0, MultiInstance = 2 };
// The apartments COM may call an object from; only the two this library uses.
enum class TThreadingModel : std::uint8_t { Single = 0, Apartment = 1 };
// Which way a registry update goes.
enum class TRegistration : std::uint8_t { Unregister, Register };

// The registry text of a threading model; empty for Single, which has none.
const char* ThreadingModelText(TThreadingModel model) noexcept;

// Constructs one object; see NewObjectOf<T>.
using TComObjectCreator = TComObject* (*)(TComObjectFactory& factory, IUnknown* outer);

class TComObjectFactory : public IClassFactory {
 public:
  // Enters the factory into the class manager, newest first.
  TComObjectFactory(TComServerObject& server, TComObjectCreator creator, const GUID& classId, std::string className,
                    std::string description, TClassInstancing instancing, TThreadingModel threadingModel);
  // Leaves the class manager. Only the server destroys factories, never Release.
  virtual ~TComObjectFactory();
  TComObjectFactory(const TComObjectFactory&) = delete;
  TComObjectFactory& operator=(const TComObjectFactory&) = delete;

  // The server's library name, ".", the class name; empty without a class name.
  virtual std::string BuildProgID() const;
  // A new object with reference count 0: the caller takes the first
  // reference or destroys it.
  virtual TComObject* NewComObject(IUnknown* outer);
  // Writes or removes the class's registry entries.
  virtual void ApplyRegistration(TRegistration direction);

  // IUnknown. AddRef and Release move only the server's factory count: one
  // count stands for the references on all of a server's factories.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;
  // IClassFactory
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) noexcept override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) noexcept override;

  TComServerObject& Server() const noexcept { return server_; }
  const GUID& ClassId() const noexcept { return classId_; }
  const std::string& Description() const noexcept { return description_; }
  TClassInstancing Instancing() const noexcept { return instancing_; }
  TThreadingModel ThreadingModel() const noexcept { return threadingModel_; }
  // Whether a failed construction is shown in a message box.
  void SetShowErrors(bool show) noexcept { showErrors_ = show; }

 private:
  friend class TComClassManager;

  TComObjectFactory* next_ = nullptr;  // the class manager's list
  TComServerObject& server_;
  const TComObjectCreator creator_;
  const GUID classId_;
  const std::string className_;
  const std::string description_;
  const TClassInstancing instancing_;
  bool showErrors_ = true;
  const TThreadingModel threadingModel_;
};

}  // namespace filedata::com
