#pragma once
// The query's exception classes. Each carries its finished message text;
// their message patterns live in Errors.cpp. The COM binding's two
// exceptions are in com/OleErrors.h, and the fixed texts the host is told
// without an exception ("Invalid Arguments", "No error", "Index out of
// bounds") beside the answers they belong to (DataQuery.h,
// descriptor/DescriptorTables.h).
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace filedata {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

class EConvertError : public Exception {
 public:
  using Exception::Exception;
  static EConvertError InvalidInteger(std::string_view text);
};

// EStringListError: raised for a line the file does not have ("List index
// out of bounds (i)").
class EStringListError : public Exception {
 public:
  using Exception::Exception;
  static EStringListError IndexOutOfBounds(std::int64_t index);
};

class EStreamError : public Exception {
 public:
  using Exception::Exception;
};

class EFileStreamError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

class EFOpenError : public EFileStreamError {
 public:
  using EFileStreamError::EFileStreamError;
  static EFOpenError CannotOpen(std::string_view fullPath, std::string_view systemText);
};

// A read failed part-way through a file that did open.
class EReadError : public EFileStreamError {
 public:
  using EFileStreamError::EFileStreamError;
  static EReadError CannotRead(std::string_view fullPath, std::string_view systemText);
};

class EOverflow : public Exception {
 public:
  using Exception::Exception;
  static EOverflow FloatingPointOverflow();
};

// Fills "%s" and "%d" placeholders in order, byte for byte, with no locale.
std::string FormatMessageText(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace filedata
