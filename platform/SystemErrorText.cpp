#include "platform/Platform.h"

namespace filedata::platform {

std::string SystemErrorText(std::uint32_t code) {
  std::string text = SystemMessageText(code);
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= 0x20 || text.back() == '.')) text.pop_back();
  return text;
}

}  // namespace filedata::platform
