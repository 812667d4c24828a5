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

// EStringListError: raised for a line the file does not have.
class EStringListError : public Exception {
 public:
  using Exception::Exception;
  // "List index out of bounds (INDEX)", INDEX counted from 0.
  static EStringListError ListIndexError(std::int64_t index);
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

// The chosen line's cut is more than the process can hold to hand to the host.
class ELineTooLong : public Exception {
 public:
  using Exception::Exception;
  // Names line NUMBER (from 1; 0: the last line) and its length, BYTES.
  static ELineTooLong TooLong(std::int64_t number, std::uint64_t bytes);
};

class EOverflow : public Exception {
 public:
  using Exception::Exception;
  static EOverflow FloatingPointOverflow();
};

// One value of a message: a text for "%s", an integer for "%d".
class TMessageArgument {
 public:
  TMessageArgument(std::string_view text) noexcept : text_(text) {}
  TMessageArgument(std::int64_t number) noexcept;
  char Placeholder() const noexcept { return isNumber_ ? 'd' : 's'; }
  std::string_view Text() const noexcept { return isNumber_ ? std::string_view(digits_, size_) : text_; }

 private:
  std::string_view text_;
  char digits_[24] = {};
  std::size_t size_ = 0;
  bool isNumber_ = false;
};

// Fills the placeholders of PATTERN in order, byte for byte, with no
// locale; a placeholder whose argument is of the other kind stays as it is.
std::string FormatMessageText(std::string_view pattern, std::initializer_list<TMessageArgument> args);

}  // namespace filedata
