// Win32 side of the platform seam: the ANSI file functions, the system's
// message table and the thread locale, called exactly as the plug-in has
// always called them.
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/Platform.h"
#include "platform/Utf8Characters.h"

namespace filedata::platform {

namespace {
HANDLE AsHandle(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }
constexpr std::intptr_t kNoHandle = -1;  // INVALID_HANDLE_VALUE
// Each ReadFile asks for at most this much, so a DWORD count never overflows.
constexpr std::size_t kMaxReadRequest = 1u << 30;

bool MoveFilePointer(HANDLE h, std::int64_t distance, DWORD method, std::uint64_t& position) {
  LONG high = static_cast<LONG>(distance >> 32);
  SetLastError(NO_ERROR);
  const DWORD low = SetFilePointer(h, static_cast<LONG>(distance & 0xFFFFFFFF), &high, method);
  if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return false;
  position = (static_cast<std::uint64_t>(static_cast<DWORD>(high)) << 32) | low;
  return true;
}

// Bytes from the current position to the end: the current position, then
// the end, then back to where it was.
std::uint64_t RemainingBytes(HANDLE h) {
  if (GetFileType(h) != FILE_TYPE_DISK) return 0;
  std::uint64_t current = 0, end = 0, ignored = 0;
  if (!MoveFilePointer(h, 0, FILE_CURRENT, current)) return 0;
  if (!MoveFilePointer(h, 0, FILE_END, end)) return 0;
  MoveFilePointer(h, static_cast<std::int64_t>(current), FILE_BEGIN, ignored);
  return end > current ? end - current : 0;
}
}  // namespace

TPresenceTest TestPresence(const std::string& name) {
  TPresenceTest test;
  WIN32_FIND_DATAA entry;
  const HANDLE search = FindFirstFileA(name.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) {
    test.ErrorCode = GetLastError();
    test.Failure = FileFailureOf(test.ErrorCode);
    return test;
  }
  FindClose(search);
  test.Entry = entry.cFileName;
  if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    test.Result = TPresence::Directory;
    return test;
  }
  FILETIME local;
  FileTimeToLocalFileTime(&entry.ftLastWriteTime, &local);
  SYSTEMTIME parts;
  if (FileTimeToSystemTime(&local, &parts)) test.Year = parts.wYear;
  WORD dosDate = 0, dosTime = 0;
  // Fails for local times outside the years a DOS date holds; some
  // implementations wrap later years instead of failing, so the year is
  // checked too.
  const bool inRange =
      FileTimeToDosDateTime(&local, &dosDate, &dosTime) && test.Year != 0 && test.Year <= kLastStampYear;
  test.Result = inRange ? TPresence::Present : TPresence::StampOutOfRange;
  return test;
}

TFileFailure FileFailureOf(std::uint32_t code) noexcept {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return TFileFailure::NotFound;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return TFileFailure::SharingViolation;
    case ERROR_ACCESS_DENIED: return TFileFailure::AccessDenied;
    case ERROR_FILENAME_EXCED_RANGE: return TFileFailure::NameTooLong;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: return TFileFailure::InvalidName;
    default: return TFileFailure::Other;
  }
}

// The ANSI calls take a name of MAX_PATH units, its closing zero among them.
TNameLimits NameLimits() noexcept { return {MAX_PATH - 1, 255, false, "MAX_PATH"}; }

TReadOnlyFile::~TReadOnlyFile() {
  if (handle_ != kNoHandle) CloseHandle(AsHandle(handle_));
}

bool TReadOnlyFile::Open(const std::string& name) {
  const HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    error_ = GetLastError();
    return false;
  }
  handle_ = reinterpret_cast<std::intptr_t>(h);
  size_ = RemainingBytes(h);
  return true;
}

bool TReadOnlyFile::Read(char* buffer, std::size_t count, std::size_t& delivered) {
  DWORD got = 0;
  const DWORD request = static_cast<DWORD>(std::min(count, kMaxReadRequest));
  const bool read = ReadFile(AsHandle(handle_), buffer, request, &got, nullptr);
  if (!read) error_ = GetLastError();
  delivered = read ? got : 0;
  return read;
}

bool TReadOnlyFile::SeekTo(std::uint64_t offset) {
  LARGE_INTEGER to;
  to.QuadPart = static_cast<LONGLONG>(offset);
  if (SetFilePointerEx(AsHandle(handle_), to, nullptr, FILE_BEGIN)) return true;
  error_ = GetLastError();
  return false;
}

namespace {
// The ANSI call refuses names longer than MAX_PATH; the wide one does not.
std::string WideFullPathOf(const std::string& name) {
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, nullptr, 0);
  if (wideLength <= 0) return name;
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide.data(), wideLength);
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return name;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return name;
  const int narrowLength = WideCharToMultiByte(CP_ACP, 0, full.c_str(), static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(narrowLength), '\0');
  WideCharToMultiByte(CP_ACP, 0, full.c_str(), static_cast<int>(length), narrow.data(), narrowLength, nullptr, nullptr);
  return narrow;
}
}  // namespace

std::string FullPathOf(const std::string& name) {
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    const DWORD needed = GetFullPathNameA(name.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (needed == 0) return WideFullPathOf(name);
    if (needed < buffer.size()) {
      buffer.resize(needed);
      return buffer;
    }
    buffer.assign(needed, '\0');  // too small: NEEDED counts the zero byte
  }
}

std::string SystemMessageText(std::uint32_t code) {
  char text[256];
  const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ARGUMENT_ARRAY;
  const DWORD length = FormatMessageA(flags, nullptr, code, 0, text, sizeof text, nullptr);
  return std::string(text, length);
}

std::string Utf16ToHostText(std::u16string_view units) {
  if (units.empty()) return {};
  // The wide functions take wchar_t, 16 bits on Windows: the same units.
  const std::wstring wide(units.begin(), units.end());
  // Best fit would turn an infinity sign into "8" and a full-width digit into
  // a digit, a number the file never held; UTF-8 takes no flags.
  const DWORD flags = GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int length = static_cast<int>(wide.size());
  const int needed = WideCharToMultiByte(CP_ACP, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string text(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, flags, wide.data(), length, text.data(), needed, nullptr, nullptr);
  return text;
}

std::string HostTextName() { return "code page " + std::to_string(GetACP()); }

std::uint32_t HostCodePage() { return GetACP(); }

std::size_t CharacterSize(std::string_view text, std::size_t at) noexcept {
  // The ANSI code page is fixed for the process's life: asked once.
  static const UINT codePage = GetACP();
  static const bool doubleByte = [] {
    CPINFO info{};
    return GetCPInfo(codePage, &info) && info.MaxCharSize == 2;
  }();
  if (codePage == CP_UTF8) return Utf8CharacterSize(text, at);
  if (!doubleByte || at + 1 >= text.size()) return 1;
  return IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[at])) ? 2 : 1;
}

char ReadLocaleDecimalSeparator() {
  char separator[2];
  // A two-byte separator does not fit the buffer and the call fails.
  if (GetLocaleInfoA(GetThreadLocale(), LOCALE_SDECIMAL, separator, sizeof separator) > 0) return separator[0];
  return '.';
}

}  // namespace filedata::platform
