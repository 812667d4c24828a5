#pragma once
// The class factory: the link between a class identifier and the class of
// objects to create, and the IClassFactory that COM hands to clients.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace filedata::com {

class TComObject;
class TComObjectFactory;
class TComServerObject;

// Which way a registry update goes.
enum class TRegistration : std::uint8_t { Unregister, Register };
// Whether CreateInstance shows a failed construction in a message box.
enum class TConstructionErrors : std::uint8_t { Silent, Shown };

// Constructs one object; see NewObjectOf<T>.
using TComObjectCreator = TComObject* (*)(TComObjectFactory& factory, IUnknown* outer);

class TComObjectFactory final : public IClassFactory {
 public:
  // Enters the factory into the class manager, newest first. THREADING_MODEL
  // is the registry's text for the apartments COM may call an object from.
  TComObjectFactory(TComServerObject& server, TComObjectCreator creator, const GUID& classId,
                    std::string_view className, std::string_view description, std::string_view threadingModel);
  // Leaves the class manager. Only the server destroys factories, never Release.
  ~TComObjectFactory();
  TComObjectFactory(const TComObjectFactory&) = delete;
  TComObjectFactory& operator=(const TComObjectFactory&) = delete;

  // The server's library name, ".", the class name; empty without a class name.
  std::string BuildProgID() const;
  // A new object with reference count 0: the caller takes the first
  // reference or destroys it.
  TComObject* NewComObject(IUnknown* outer);
  // Writes or removes the class's registry entries (Registration.cpp).
  // Writing raises EOleRegistrationError at the first key or value that
  // fails, leaving what was written; removal ignores keys it cannot delete.
  void ApplyRegistration(TRegistration direction);

  // IUnknown. AddRef and Release move only the server's factory count: one
  // count stands for the references on all of a server's factories.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;
  // IClassFactory. Every CreateInstance makes a new object.
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) noexcept override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) noexcept override;

  TComServerObject& Server() const noexcept { return server_; }
  const GUID& ClassId() const noexcept { return classId_; }
  void SetConstructionErrors(TConstructionErrors errors) noexcept { constructionErrors_ = errors; }

 private:
  friend class TComClassManager;

  TComObjectFactory* next_ = nullptr;  // the class manager's list
  TComServerObject& server_;
  const TComObjectCreator creator_;
  const GUID classId_;
  const std::string className_;
  const std::string description_;
  const std::string threadingModel_;
  TConstructionErrors constructionErrors_ = TConstructionErrors::Shown;
};

}  // namespace filedata::com
