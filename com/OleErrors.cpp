#include "com/OleErrors.h"

#include <cstdint>
#include <cstdio>

#include "platform/Platform.h"

namespace filedata {

namespace {

constexpr const char* kRegistrationFailed = "Error creating system registry entry";

// The system's text, trimmed as in every other message; a code the system
// has no text for is named by its number.
std::string MessageForCode(HRESULT code) {
  std::string text = platform::SystemErrorText(static_cast<std::uint32_t>(code));
  if (!text.empty()) return text;
  char fallback[32];
  std::snprintf(fallback, sizeof fallback, "OLE error %08X", static_cast<unsigned int>(code));
  return fallback;
}

}  // namespace

EOleSysError::EOleSysError(HRESULT code) : Exception(MessageForCode(code)) {}

EOleRegistrationError EOleRegistrationError::CannotCreateEntry() { return EOleRegistrationError(kRegistrationFailed); }

HRESULT OleCheck(HRESULT result) {
  if (result < 0) throw EOleSysError(result);
  return result;
}

}  // namespace filedata
