#pragma once
// An ordered, unsorted list of lines, as a whole file gives them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace filedata {

class TStringList {
 public:
  // Replaces the lines with those of the file; on EFOpenError the list
  // keeps what it had.
  void LoadFromTextFile(const std::string& fileName);
  // Replaces the lines with those of TEXT.
  void SetText(std::string_view text);

  std::int32_t LineCount() const noexcept { return static_cast<std::int32_t>(lines_.size()); }
  // Raises EStringListError for an index outside 0..LineCount()-1.
  const std::string& LineAt(std::int32_t index) const;

 private:
  std::vector<std::string> lines_;
};

}  // namespace filedata
