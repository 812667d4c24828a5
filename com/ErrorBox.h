#pragma once
// The message box that reports a failed object construction, behind a
// replaceable function so tests can read it without a window appearing.
#include <string>

namespace filedata::com {

// The caption this library's box has always carried, which users and their
// support know a failed construction by.
constexpr const char* kErrorBoxCaption = "RUD Error";
constexpr unsigned int kErrorBoxStyle = 0x00010010;  // MB_OK | MB_ICONSTOP | MB_SETFOREGROUND

using TErrorBoxFunction = void (*)(const char* text, const char* caption, unsigned int style);

// Installs SHOW (null restores the system's box); returns the one it replaces.
TErrorBoxFunction SetErrorBoxFunction(TErrorBoxFunction show) noexcept;

// Shows TEXT with the fixed caption and style, with no owner window.
void ShowErrorBox(const std::string& text) noexcept;

// MESSAGE with a "." appended when it ends in a byte above the full stop
// (a letter or digit does; '.', '!', ')' or a space does not).
std::string ErrorBoxText(std::string message);

}  // namespace filedata::com
