#pragma once
// One counted reference to a COM interface, released when the holder goes.
#include <objbase.h>

#include <utility>

namespace filedata::host {

template <typename Interface>
class TComRef {
 public:
  TComRef() = default;
  TComRef(const TComRef&) = delete;
  TComRef& operator=(const TComRef&) = delete;
  TComRef(TComRef&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  TComRef& operator=(TComRef&& other) noexcept {
    if (this != &other) {
      Reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  ~TComRef() { Reset(); }

  void Reset() noexcept {
    if (pointer_) std::exchange(pointer_, nullptr)->Release();
  }
  Interface* operator->() const noexcept { return pointer_; }
  Interface* Get() const noexcept { return pointer_; }
  // Lets go of the reference without releasing it, for a caller that will.
  Interface* Detach() noexcept { return std::exchange(pointer_, nullptr); }
  Interface& operator*() const noexcept { return *pointer_; }
  explicit operator bool() const noexcept { return pointer_ != nullptr; }

  // For a call that hands out a reference: whatever was held is released
  // first, so the holder owns exactly what the call writes.
  void** OutVoid() noexcept {
    Reset();
    return reinterpret_cast<void**>(&pointer_);
  }

 private:
  Interface* pointer_ = nullptr;
};

// Asks OBJECT for another of its interfaces; the result tells why not.
template <typename Wanted, typename Held>
HRESULT QueryRef(const TComRef<Held>& object, const IID& iid, TComRef<Wanted>& wanted) {
  return object->QueryInterface(iid, wanted.OutVoid());
}

}  // namespace filedata::host
