#include "tools/plugin-host/ComResultText.h"

#include "platform/Platform.h"
#include "tools/common/Answered.h"

namespace filedata::host {

std::string ComFailure(const std::string& what, HRESULT result) {
  return tool::Answered(what, result, platform::SystemErrorText(static_cast<DWORD>(result)));
}

std::string LoadErrorText(DWORD code, const std::string& subject) {
  std::string message = platform::SystemErrorText(code);
  if (const auto insert = message.find("%1"); insert != std::string::npos) message.replace(insert, 2, subject);
  return (message.empty() ? "" : message + " ") + "(error " + std::to_string(code) + ")";
}

}  // namespace filedata::host
