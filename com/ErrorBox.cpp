#include "com/ErrorBox.h"

#include <windows.h>

#include <atomic>

namespace filedata::com {

namespace {

void SystemErrorBox(const char* text, const char* caption, unsigned int style) {
  MessageBoxA(nullptr, text, caption, style);
}

std::atomic<TErrorBoxFunction> errorBox{&SystemErrorBox};

}  // namespace

TErrorBoxFunction SetErrorBoxFunction(TErrorBoxFunction show) noexcept {
  return errorBox.exchange(show != nullptr ? show : &SystemErrorBox);
}

void ShowErrorBox(const std::string& text) noexcept { errorBox.load()(text.c_str(), kErrorBoxCaption, kErrorBoxStyle); }

std::string ErrorBoxText(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.')) {
    message.push_back('.');
  }
  return message;
}

}  // namespace filedata::com
