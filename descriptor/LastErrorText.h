#pragma once
// A plug-in object's last-error text. It keeps its own copy of the message,
// so a failure's exact text can be read after the call.
#include <string>
#include <string_view>

namespace filedata {

class TLastErrorText {
 public:
  bool IsSet() const noexcept { return set_; }
  // Never fails: with no memory for a copy the text is left empty, so a
  // failure can always be reported without raising another.
  void Set(std::string_view text) noexcept {
    try {
      text_.assign(text);
    } catch (...) {
      text_.clear();
    }
    set_ = true;
  }
  const char* Pointer() const noexcept { return text_.c_str(); }

 private:
  std::string text_;
  bool set_ = false;
};

}  // namespace filedata
