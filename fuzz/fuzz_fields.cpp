// ForEachField against the field rules written out plainly: the count of a
// separator's matches at every position, and each field cut between them.
// Input: [separator length in bits 0-1, visit stop index in bits 2-7][separator][text].
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "query/Filter.h"

namespace {
using namespace filedata;
using fuzz::Quoted;

class TReference {
 public:
  TReference(std::string_view text, std::string_view separator)
      : text_(text), separatorSize_(static_cast<std::int64_t>(separator.size())) {
    // A match may begin at any byte, also inside an earlier match.
    for (std::size_t at = 0; at + separator.size() <= text.size() && at < text.size(); ++at) {
      bool same = true;
      for (std::size_t j = 0; j < separator.size(); ++j) {
        same = same && text[at + j] == separator[j];
      }
      if (same) matches_.push_back(static_cast<std::int64_t>(at) + 1);  // 1-based
    }
  }
  std::int32_t Count() const { return text_.empty() ? 0 : static_cast<std::int32_t>(matches_.size() + 1); }
  std::string Field(std::int32_t index) const {
    if (index < 1 || index > Count()) return {};
    const auto size = static_cast<std::int64_t>(text_.size());
    const std::int64_t start = index == 1 ? 1 : matches_[index - 2] + separatorSize_;
    const std::int64_t end = index <= static_cast<std::int64_t>(matches_.size()) ? matches_[index - 1] - 1 : size;
    const std::int64_t length = end - start + 1;
    if (length <= 0 || start > size) return {};
    return std::string(text_.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length)));
  }

 private:
  std::string_view text_;
  std::int64_t separatorSize_;
  std::vector<std::int64_t> matches_;
};

void Check(std::string_view text, std::string_view separator, std::int32_t stopAt) {
  const TReference reference(text, separator);
  const std::int32_t count = reference.Count();
  const auto where = [&] { return "text " + Quoted(text) + " separator " + Quoted(separator); };

  std::vector<std::pair<std::int32_t, std::string>> visited;
  ForEachField(text, separator, [&](std::int32_t index, std::string_view field) {
    visited.emplace_back(index, std::string(field));
    return index != stopAt;
  });
  const std::int32_t wantVisits = stopAt >= 1 && stopAt < count ? stopAt : count;
  FUZZ_CHECK(static_cast<std::int32_t>(visited.size()) == wantVisits,
             where() + ": " + std::to_string(visited.size()) + " visits, want " + std::to_string(wantVisits));
  for (std::int32_t i = 0; i < wantVisits; ++i) {
    FUZZ_CHECK(visited[i].first == i + 1 && visited[i].second == reference.Field(i + 1),
               where() + ": visit " + std::to_string(i + 1) + " gave field " + std::to_string(visited[i].first) + " " +
                   Quoted(visited[i].second) + ", want " + Quoted(reference.Field(i + 1)));
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t separatorSize = std::min<std::size_t>(data[0] & 3, input.size());
  const std::int32_t stopAt = data[0] >> 2;  // 0: the visit never stops early
  const std::string_view separator = input.substr(0, separatorSize);
  const std::string_view text = input.substr(separatorSize);
  Check(text, separator, stopAt);
  return 0;
}
