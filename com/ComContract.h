#pragma once
// The COM-call contract (docs/ARCHITECTURE.md, "Failure contracts"): the
// one place where an exception meets IUnknown, IClassFactory or an export.
// COM callers are C and other languages: nothing may unwind into them, and
// such a call has no last-error text to tell the reason by, only its result.
#include <guiddef.h>

#include <type_traits>
#include <utility>

#include <winerror.h>

namespace filedata::com {

// Runs OPERATION and returns its result. If it throws, the answer is
// ON_FAILURE: either a value, or a noexcept callable that runs inside the
// handler (so it may look at the exception with `throw;`) and returns one.
template <class OnFailure, class Operation>
auto UnderComContract(OnFailure&& onFailure, Operation&& operation) noexcept -> decltype(operation()) {
  using Result = decltype(operation());
  try {
    return std::forward<Operation>(operation)();
  } catch (...) {
    if constexpr (std::is_invocable_v<OnFailure>) {
      static_assert(std::is_nothrow_invocable_v<OnFailure>, "the failure answer must not throw itself");
      return static_cast<Result>(std::forward<OnFailure>(onFailure)());
    } else {
      return static_cast<Result>(onFailure);
    }
  }
}

// A host written in C may pass a null pointer where the interface declares a
// reference (REFIID, REFCLSID). The compiler may assume a reference is never
// null and drop a plain test, so the address is hidden from it first.
inline bool IsNullReference(const GUID& guid) noexcept {
  const GUID* address = &guid;
  asm("" : "+r"(address));
  return address == nullptr;
}

// The failure answer of a QueryInterface: no pointer handed out, E_UNEXPECTED.
inline auto FailedQuery(void** out) noexcept {
  return [out]() noexcept {
    if (out != nullptr) *out = nullptr;
    return E_UNEXPECTED;
  };
}

}  // namespace filedata::com
