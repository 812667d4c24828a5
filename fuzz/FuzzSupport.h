#pragma once
// What the fuzz targets share: a failing check that says what it saw, and
// the line rules written out plainly, as the reference for the splitter.
#include <stdlib.h>  // mkdtemp

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace filedata::fuzz {

// Bytes as C-escaped text, so a report shows zero bytes and line breaks.
inline std::string Quoted(std::string_view bytes) {
  std::string out = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
      out.push_back(c);
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      out += escaped;
    }
  }
  return out + "\"";
}

[[noreturn]] inline void Fail(const char* check, const std::string& detail) {
  std::fprintf(stderr, "==== property failed: %s\n%s\n", check, detail.c_str());
  std::abort();
}

// DETAIL is evaluated only when the check fails.
#define FUZZ_CHECK(condition, detail)                             \
  do {                                                            \
    if (!(condition)) ::filedata::fuzz::Fail(#condition, detail); \
  } while (0)

// A folder of this process's own, made on first use and removed at exit.
inline const std::string& ScratchFolder() {
  // Never destroyed, so that the removal at exit can still read it.
  static const std::string* const folder = [] {
    auto* path = new std::string((std::filesystem::temp_directory_path() / "filedata-fuzz-XXXXXX").string());
    if (!mkdtemp(path->data())) Fail("mkdtemp", *path);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchFolder(), ignored);
    });
    return path;
  }();
  return *folder;
}

// Writes BYTES to NAME in the scratch folder; returns its path.
inline std::string WriteScratchFile(const std::string& name, std::string_view bytes) {
  const std::string path = ScratchFolder() + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  const bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (!file || std::fclose(file) != 0 || !written) Fail("writing a scratch file", path);
  return path;
}

// The lines of TEXT: it ends at its first zero byte; CR LF, a lone CR and a
// lone LF each end a line; a break at the very end adds no empty line.
inline std::vector<std::string> ReferenceLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  bool open = false;  // bytes seen since the last line end
  for (std::size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.push_back(line);
      line.clear();
      open = false;
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line.push_back(text[i]);
      open = true;
    }
  }
  if (open) lines.push_back(line);
  return lines;
}

inline std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) out += Quoted(line) + "\n";
  return out;
}

}  // namespace filedata::fuzz
