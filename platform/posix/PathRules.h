#pragma once
// Path text rules of the POSIX side, kept apart so they can be tested alone.
#include <string>
#include <string_view>

namespace filedata::platform {

std::string_view LastComponent(std::string_view path);
bool HasWildcard(std::string_view name);
// * matches any run of bytes, ? any one byte; everything else literally.
bool WildcardMatches(std::string_view pattern, std::string_view name);
// An absolute path with "." and ".." resolved and repeated slashes folded.
std::string NormalizePath(const std::string& absolutePath);

}  // namespace filedata::platform
