#pragma once
// The one place where failures inside an operation become a result code:
// any exception is reported as E_FAIL with its message as the object's
// last-error text. Nothing escapes.
#include <exception>
#include <new>

#include "query/HResult.h"
#include "query/LastErrorText.h"

namespace filedata {

template <class Operation>
HResult CallReportingFailures(TLastErrorText& lastError, Operation&& operation) noexcept {
  try {
    return operation();
  } catch (const std::exception& failure) {
    lastError.Set(failure.what());
  } catch (...) {
  }
  return hr::Fail;
}

}  // namespace filedata
