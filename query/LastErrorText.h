#pragma once
// A host-visible object's last-error text. It keeps its own copy of the
// message, so a failure's exact text can be read after the call.
#include <string>
#include <string_view>

namespace filedata {

// What a failing table lookup or data-item index reports.
constexpr std::string_view kIndexOutOfBounds = "Index out of bounds";

class TLastErrorText {
 public:
  bool IsSet() const noexcept { return set_; }
  void Set(std::string_view text) {
    text_.assign(text);
    set_ = true;
  }
  const char* Pointer() const noexcept { return text_.c_str(); }

 private:
  std::string text_;
  bool set_ = false;
};

}  // namespace filedata
