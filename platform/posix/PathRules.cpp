#include "platform/posix/PathRules.h"

#include <vector>

namespace filedata::platform {

std::string_view LastComponent(std::string_view path) {
  const auto slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool HasWildcard(std::string_view name) { return name.find_first_of("*?") != std::string_view::npos; }

bool WildcardMatches(std::string_view pattern, std::string_view name) {
  // Greedy match with one backtrack point: linear for the patterns people write.
  std::size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::string NormalizePath(const std::string& absolutePath) {
  std::vector<std::string_view> parts;
  std::string_view rest(absolutePath);
  while (!rest.empty()) {
    const auto slash = rest.find('/');
    const std::string_view part = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string out;
  for (const auto part : parts) out.append("/").append(part);
  return out.empty() ? "/" : out;
}

}  // namespace filedata::platform
