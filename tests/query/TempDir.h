#pragma once
// A scratch folder per test, removed afterwards, with helpers to lay files.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace filedata::testing {

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    dir_ = std::filesystem::temp_directory_path() /
           ("filedata-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  // Writes BYTES to NAME in the scratch folder; returns the path as text.
  std::string Write(const std::string& name, std::string_view bytes) {
    const auto path = dir_ / name;
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }
  // Writes BYTES to NAME, then extends it with a hole to SIZE bytes in all:
  // a file of gigabytes that costs no disk.
  std::string WriteSparse(const std::string& name, std::string_view bytes, std::uint64_t size) {
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

}  // namespace filedata::testing
