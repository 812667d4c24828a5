#pragma once
// Exceptions of the COM binding. Both carry their finished message text.
#include <string>

#include "query/Errors.h"
#include "query/HResult.h"

namespace filedata {

// A COM call failed; ErrorCode() is its HRESULT.
class EOleSysError : public Exception {
 public:
  // The message is the system's text for CODE.
  explicit EOleSysError(HResult code);
  EOleSysError(std::string message, HResult code) : Exception(std::move(message)), code_(code) {}
  HResult ErrorCode() const noexcept { return code_; }

 private:
  HResult code_;
};

// A registry key or value could not be written.
class EOleRegistrationError : public Exception {
 public:
  using Exception::Exception;
  static EOleRegistrationError CannotCreateEntry();
};

// Raises EOleSysError for a failure code; returns success codes unchanged.
HResult OleCheck(HResult result);

}  // namespace filedata
