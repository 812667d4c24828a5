#include "com/OleErrors.h"

#include <cstdint>
#include <cstdio>

#include "platform/Platform.h"

namespace filedata {

namespace {

constexpr const char* kRegistrationFailed = "Error creating system registry entry";

// The system's text ends in a line break and usually a full stop; the
// callers add their own punctuation.
std::string MessageForCode(HResult code) {
  std::string text = platform::SystemMessageText(static_cast<std::uint32_t>(code));
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.')) text.pop_back();
  if (!text.empty()) return text;
  char fallback[32];
  std::snprintf(fallback, sizeof fallback, "OLE error %08X", static_cast<unsigned int>(code));
  return fallback;
}

}  // namespace

EOleSysError::EOleSysError(HResult code) : EOleSysError(MessageForCode(code), code) {}

EOleRegistrationError EOleRegistrationError::CannotCreateEntry() { return EOleRegistrationError(kRegistrationFailed); }

HResult OleCheck(HResult result) {
  if (result < 0) throw EOleSysError(result);
  return result;
}

}  // namespace filedata
