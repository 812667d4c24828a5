#include "tools/plugin-host/ComResultText.h"

#include "platform/Platform.h"
#include "tools/common/ResultNames.h"

namespace filedata::host {

std::string ComResultName(HRESULT result) { return tool::ResultName(static_cast<HResult>(result)); }

std::string ComFailure(const std::string& what, HRESULT result) {
  const std::string message = platform::SystemErrorText(static_cast<DWORD>(result));
  return what + " answered " + ComResultName(result) + (message.empty() ? "" : " (" + message + ")");
}

std::string LoadErrorText(DWORD code, const std::string& subject) {
  std::string message = platform::SystemErrorText(code);
  if (const auto insert = message.find("%1"); insert != std::string::npos) message.replace(insert, 2, subject);
  return (message.empty() ? "" : message + " ") + "(error " + std::to_string(code) + ")";
}

}  // namespace filedata::host
