#pragma once
// The plug-in's texts are 8-bit in the ANSI code page; a console's and a
// window's are wide. The Windows tools cross between them only here.
#include <windows.h>

#include <string>
#include <string_view>

namespace filedata::tool {

inline std::wstring Wide(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int length = static_cast<int>(ansi.size());
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wideLength > 0 ? wideLength : 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), wideLength);
  return wide;
}

inline std::string Ansi(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int length = static_cast<int>(wide.size());
  const int ansiLength = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(ansiLength > 0 ? ansiLength : 0), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), length, ansi.data(), ansiLength, nullptr, nullptr);
  return ansi;
}

// A window's text, and setting it.
inline std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace filedata::tool
