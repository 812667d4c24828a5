#include "tools/common/ConsoleText.h"
#include "tools/common/win32/WideText.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace filedata::tool {

namespace {
// Small enough for every console's write limit.
constexpr std::size_t kConsolePiece = 8192;

bool IsConsole(HANDLE handle) {
  DWORD mode;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

// A stream the C library takes for a console because it is a character
// device, as NUL is, it leaves unbuffered, and writes byte by byte: a buffer
// of its own, set before the stream's first use (this is its one writer),
// makes each text one write. Every text is flushed anyway.
void BufferUnlessConsole(std::FILE* stream, HANDLE handle) {
  static bool buffered[2];
  bool& done = buffered[stream == stderr];
  if (done) return;
  done = true;
  if (!IsConsole(handle)) std::setvbuf(stream, nullptr, _IOFBF, 1 << 16);
}
}  // namespace

void WriteText(std::FILE* stream, std::string_view text) {
  const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  BufferUnlessConsole(stream, handle);
  std::fflush(stream);
  if (!IsConsole(handle) || text.empty()) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
    return;
  }
  const std::wstring wide = Wide(text);
  for (std::size_t at = 0; at < wide.size(); at += kConsolePiece) {
    const auto piece = static_cast<DWORD>(std::min(kConsolePiece, wide.size() - at));
    DWORD written = 0;
    WriteConsoleW(handle, wide.data() + at, piece, &written, nullptr);
  }
}

}  // namespace filedata::tool
