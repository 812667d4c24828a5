#include "tools/common/ConsoleText.h"

namespace filedata::tool {

void WriteText(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

}  // namespace filedata::tool
