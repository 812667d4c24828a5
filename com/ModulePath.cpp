#include "com/ModulePath.h"

namespace filedata::com {

namespace {
constexpr DWORD kModulePathBuffer = 262;
constexpr DWORD kShortPathBuffer = 260;
// "C:" or "\\" cannot be searched for: shorter than this, the walk ends.
constexpr std::size_t kShortestFindablePath = 3;

// Everything up to the last backslash or colon, keeping the backslash only
// right after a colon or backslash (the folder under a drive root is the root).
std::string DirectoryPart(const std::string& path) {
  const auto last = path.find_last_of("\\:");
  if (last == std::string::npos) return std::string();
  if (path[last] == ':') return path.substr(0, last + 1);
  const bool keepBackslash = last > 0 && (path[last - 1] == ':' || path[last - 1] == '\\');
  return path.substr(0, keepBackslash ? last + 1 : last);
}

// "C:" for a drive path, "\\server\share" for a UNC path, else empty.
std::string DrivePart(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  if (path.rfind("\\\\", 0) != 0) return std::string();
  const auto serverEnd = path.find('\\', 2);
  if (serverEnd == std::string::npos) return path;
  const auto shareEnd = path.find('\\', serverEnd + 1);
  return shareEnd == std::string::npos ? path : path.substr(0, shareEnd);
}

}  // namespace

std::string ModuleFilePath(HMODULE module) {
  char buffer[kModulePathBuffer];
  const DWORD length = GetModuleFileNameA(module, buffer, kModulePathBuffer);
  return ExpandToLongPath(std::string(buffer, length < kModulePathBuffer ? length : 0));
}

std::string ExpandToLongPath(const std::string& path) {
  std::string result;
  std::string current = path;
  do {
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA(current.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) break;
    FindClose(search);
    result = "\\" + std::string(entry.cFileName) + result;
    current = DirectoryPart(current);
  } while (current.size() >= kShortestFindablePath);
  // Stopped at the drive or share root: the components found make the path.
  // Stopped below it: keep the part not found as it was, so the path stays whole.
  const std::string drive = DrivePart(current);
  const bool atRoot = current.size() <= drive.size() + 1;
  return (atRoot ? drive : current) + result;
}

std::string ModuleBaseName(const std::string& path) {
  const auto slash = path.find_last_of("\\/:");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const auto dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  return name;
}

std::string PathWithoutSpaces(const std::string& path) {
  if (path.find(' ') == std::string::npos) return path;
  char buffer[kShortPathBuffer];
  const DWORD length = GetShortPathNameA(path.c_str(), buffer, kShortPathBuffer);
  return length > 0 && length < kShortPathBuffer ? std::string(buffer, length) : path;
}

}  // namespace filedata::com
