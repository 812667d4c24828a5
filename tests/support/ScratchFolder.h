#pragma once
// A scratch folder of a test's own, removed with everything in it, with
// helpers to lay files in it; and a test fixture that has one.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace filedata::testing {

class TScratchFolder {
 public:
  // Under the system's temporary folder, named PREFIX and a number no other
  // folder has (a prefix with blanks gives a path with blanks).
  explicit TScratchFolder(const std::string& prefix = "filedata-test") {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (;;) {
      dir_ = std::filesystem::temp_directory_path() /
             (prefix + "-" + std::to_string(stamp) + "-" + std::to_string(counter++));
      if (std::filesystem::create_directories(dir_)) break;  // false: another process has it
    }
  }
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;
  ~TScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  // Writes BYTES to NAME; returns its path as text.
  std::string Write(const std::string& name, std::string_view bytes) const {
    const auto path = dir_ / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }
  // Writes BYTES to NAME, then extends it with a hole to SIZE bytes in all:
  // a file of gigabytes that costs no disk.
  std::string WriteSparse(const std::string& name, std::string_view bytes, std::uint64_t size) const {
    const std::string path = Write(name, bytes);
    std::filesystem::resize_file(path, size);
    EXPECT_EQ(std::filesystem::file_size(path), size) << path;
    return path;
  }
  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
  const std::filesystem::path& Dir() const { return dir_; }

 private:
  std::filesystem::path dir_;
};

// A test with a scratch folder of its own for each case.
class ScratchFolderTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, std::string_view bytes) { return folder_.Write(name, bytes); }
  std::string WriteSparse(const std::string& name, std::string_view bytes, std::uint64_t size) {
    return folder_.WriteSparse(name, bytes, size);
  }
  std::string PathOf(const std::string& name) const { return folder_.PathOf(name); }
  const std::filesystem::path& Dir() const { return folder_.Dir(); }

 private:
  TScratchFolder folder_;
};

}  // namespace filedata::testing
