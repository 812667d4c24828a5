#pragma once
// Exceptions of the COM binding. Both carry their finished message text.
#include <windows.h>

#include "query/Errors.h"

namespace filedata {

// A COM call failed.
class EOleSysError : public Exception {
 public:
  // The message is the system's text for CODE.
  explicit EOleSysError(HRESULT code);
};

// A registry key or value could not be written.
class EOleRegistrationError : public Exception {
 public:
  using Exception::Exception;
  static EOleRegistrationError CannotCreateEntry();
};

// Raises EOleSysError for a failure code; returns success codes unchanged.
HRESULT OleCheck(HRESULT result);

}  // namespace filedata
