#include "tools/plugin-host/ComResultText.h"

#include "query/TextFile.h"
#include "tools/filedata/AnswerFormat.h"

namespace filedata::host {

namespace {
// The system's text without its trailing line break and full stop.
std::string SystemMessage(DWORD code) { return filedata::SystemErrorText(code); }
}  // namespace

std::string ComResultName(HRESULT result) { return tool::ResultName(static_cast<HResult>(result)); }

std::string ComFailure(const std::string& what, HRESULT result) {
  const std::string message = SystemMessage(static_cast<DWORD>(result));
  return what + " answered " + ComResultName(result) + (message.empty() ? "" : " (" + message + ")");
}

std::string SystemErrorText(DWORD code, const std::string& subject) {
  std::string message = SystemMessage(code);
  if (const auto insert = message.find("%1"); insert != std::string::npos) message.replace(insert, 2, subject);
  return (message.empty() ? "" : message + " ") + "(error " + std::to_string(code) + ")";
}

}  // namespace filedata::host
