// POSIX side of the platform seam. It keeps the rules the Win32 side has:
// a wildcard looks at the first matching entry only, directories and files
// stamped outside the years a DOS date holds are absent, and opening never
// blocks.
#include <dirent.h>
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/Platform.h"
#include "platform/Utf8Characters.h"
#include "platform/posix/PathRules.h"

namespace filedata::platform {

namespace {
constexpr std::intptr_t kNoHandle = -1;

// The local year of the last-write time; 0 when it has none.
int StampYear(const struct stat& info) {
  std::tm local{};
  const std::time_t stamp = info.st_mtime;
  return localtime_r(&stamp, &local) ? local.tm_year + 1900 : 0;
}

// The path of the first directory entry matching a wildcard name, or empty.
std::string FirstWildcardMatch(const std::string& name) {
  const auto slash = name.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : name.substr(0, slash == 0 ? 1 : slash);
  const std::string pattern = slash == std::string::npos ? name : name.substr(slash + 1);
  DIR* dir = opendir(folder.c_str());
  if (!dir) return {};
  std::string found;
  while (const dirent* entry = readdir(dir)) {
    if (WildcardMatches(pattern, entry->d_name)) {
      found = (slash == std::string::npos ? std::string() : name.substr(0, slash + 1)) + entry->d_name;
      break;
    }
  }
  closedir(dir);
  return found;
}
}  // namespace

TPresenceTest TestPresence(const std::string& name) {
  TPresenceTest test;
  const std::string path(name.c_str());  // the name ends at its first zero byte
  if (path.empty()) return test;
  const std::string target = HasWildcard(LastComponent(path)) ? FirstWildcardMatch(path) : path;
  struct stat info;
  if (target.empty() || stat(target.c_str(), &info) != 0) {
    test.ErrorCode = static_cast<std::uint32_t>(target.empty() ? ENOENT : errno);
    test.Failure = FileFailureOf(test.ErrorCode);
    return test;
  }
  test.Entry = std::string(LastComponent(target));
  if (S_ISDIR(info.st_mode)) {
    test.Result = TPresence::Directory;
    return test;
  }
  test.Year = StampYear(info);
  const bool inRange = test.Year >= kFirstStampYear && test.Year <= kLastStampYear;
  test.Result = inRange ? TPresence::Present : TPresence::StampOutOfRange;
  return test;
}

TFileFailure FileFailureOf(std::uint32_t code) noexcept {
  switch (code) {
    case ENOENT:
    case ENOTDIR: return TFileFailure::NotFound;
    case EACCES:
    case EPERM:
    case EISDIR: return TFileFailure::AccessDenied;
    case ENAMETOOLONG: return TFileFailure::NameTooLong;
    case EILSEQ: return TFileFailure::InvalidName;
    default: return TFileFailure::Other;
  }
}

TNameLimits NameLimits() noexcept { return {PATH_MAX - 1, NAME_MAX, true, "PATH_MAX"}; }

TReadOnlyFile::~TReadOnlyFile() {
  if (handle_ != kNoHandle) close(static_cast<int>(handle_));
}

bool TReadOnlyFile::Open(const std::string& name) {
  // Non-blocking, so that opening a FIFO with no writer returns at once.
  const int fd = open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error_ = static_cast<std::uint32_t>(errno);
    return false;
  }
  handle_ = fd;
  // A file just opened is read from its start: the size is all there is.
  struct stat info;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) size_ = static_cast<std::uint64_t>(info.st_size);
  return true;
}

bool TReadOnlyFile::Read(char* buffer, std::size_t count, std::size_t& delivered) {
  delivered = 0;
  for (;;) {
    const ssize_t got = read(static_cast<int>(handle_), buffer, count);
    if (got >= 0) {
      delivered = static_cast<std::size_t>(got);
      return true;
    }
    if (errno != EINTR) {
      error_ = static_cast<std::uint32_t>(errno);
      return false;
    }
  }
}

bool TReadOnlyFile::SeekTo(std::uint64_t offset) {
  if (lseek(static_cast<int>(handle_), static_cast<off_t>(offset), SEEK_SET) >= 0) return true;
  error_ = static_cast<std::uint32_t>(errno);
  return false;
}

std::string FullPathOf(const std::string& name) {
  const std::string path(name.c_str());
  if (!path.empty() && path[0] == '/') return NormalizePath(path);
  std::vector<char> cwd(4096);
  while (!getcwd(cwd.data(), cwd.size())) {
    if (errno != ERANGE) return NormalizePath(path);
    cwd.resize(cwd.size() * 2);
  }
  return NormalizePath(std::string(cwd.data()) + "/" + path);
}

std::string SystemMessageText(std::uint32_t code) {
  char buffer[256];
  // The GNU strerror_r may return its own static text instead of filling BUFFER.
  return strerror_r(static_cast<int>(code), buffer, sizeof buffer);
}

namespace {
void AppendUtf8(std::uint32_t point, std::string& out) {
  if (point < 0x80) {
    out.push_back(static_cast<char>(point));
  } else if (point < 0x800) {
    out.push_back(static_cast<char>(0xC0 | point >> 6));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  } else if (point < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | point >> 12));
    out.push_back(static_cast<char>(0x80 | (point >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | point >> 18));
    out.push_back(static_cast<char>(0x80 | (point >> 12 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (point >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  }
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
constexpr std::uint32_t kReplacement = 0xFFFD;
}  // namespace

std::string Utf16ToHostText(std::u16string_view units) {
  std::string out;
  out.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    if (IsHighSurrogate(unit) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
      AppendUtf8(0x10000 + ((unit - 0xD800u) << 10) + (units[++i] - 0xDC00u), out);
    } else {
      AppendUtf8(IsHighSurrogate(unit) || IsLowSurrogate(unit) ? kReplacement : unit, out);
    }
  }
  return out;
}

std::string HostTextName() { return "UTF-8"; }

std::uint32_t HostCodePage() { return 65001; }

std::size_t CharacterSize(std::string_view text, std::size_t at) noexcept { return Utf8CharacterSize(text, at); }

char ReadLocaleDecimalSeparator() {
  // A private locale object, so the process locale is never touched.
  const locale_t locale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (!locale) return '.';
  const char* radix = nl_langinfo_l(RADIXCHAR, locale);
  const char separator = (radix && radix[0] != '\0' && radix[1] == '\0') ? radix[0] : '.';
  freelocale(locale);
  return separator;
}

}  // namespace filedata::platform
