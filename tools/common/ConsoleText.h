#pragma once
// How the tools write the plug-in's 8-bit text so that it reads as the host
// shows it. A Windows console shows its own (OEM) code page, not the ANSI
// one the plug-in's text is in, so an "é" written as a byte would show as
// another letter: on a console the text goes as wide characters converted
// from the ANSI code page. Redirected to a file or a pipe, and on POSIX, the
// bytes go as they are.
#include <cstdio>
#include <string_view>

namespace filedata::tool {

// Writes TEXT to STREAM (stdout or stderr) and flushes it.
void WriteText(std::FILE* stream, std::string_view text);

}  // namespace filedata::tool
