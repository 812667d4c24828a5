#pragma once
// A file held in memory, read as the query reads a file: in reads of the
// sizes a test chooses, and failing part-way when it is told to, the way a
// disk or a network drive that went away does.
#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Platform.h"

namespace filedata::testing {

class TMemoryFile final : public platform::TFileReader {
 public:
  static constexpr std::size_t kNever = static_cast<std::size_t>(-1);
  static constexpr std::uint32_t kErrorCode = 5;  // an I/O error on POSIX, access denied on Windows

  // BYTES must outlive the file.
  explicit TMemoryFile(std::string_view bytes) : bytes_(bytes), size_(bytes.size()) {}

  // Each read delivers at most the next of SIZES, in turn (a 0 counts as 1).
  TMemoryFile& ReadsOf(std::vector<std::size_t> sizes) {
    sizes_ = std::move(sizes);
    return *this;
  }
  // The size the file claims when it is opened; more than it has: it shrank.
  TMemoryFile& Claiming(std::uint64_t size) {
    size_ = size;
    return *this;
  }
  // Reads fail once they reach byte AT.
  TMemoryFile& FailingAt(std::size_t at) {
    failAt_ = at;
    return *this;
  }

  std::uint64_t SizeAtOpen() const noexcept override { return size_; }
  bool Read(char* buffer, std::size_t count, std::size_t& delivered) override {
    delivered = 0;
    if (at_ >= failAt_) return false;
    std::size_t most = std::min({count, bytes_.size() - at_, failAt_ - at_});
    if (!sizes_.empty()) most = std::min(most, std::max<std::size_t>(sizes_[reads_++ % sizes_.size()], 1));
    delivered = bytes_.copy(buffer, most, at_);
    at_ += delivered;
    delivered_ += delivered;
    return true;
  }
  bool SeekTo(std::uint64_t offset) override {
    if (offset > bytes_.size()) return false;
    at_ = static_cast<std::size_t>(offset);
    sought_ = true;
    return true;
  }
  std::uint32_t ErrorCode() const noexcept override { return kErrorCode; }
  // The bytes delivered so far, and whether a read moved.
  std::size_t BytesDelivered() const noexcept { return delivered_; }
  bool Sought() const noexcept { return sought_; }

 private:
  std::string_view bytes_;
  std::uint64_t size_;
  std::vector<std::size_t> sizes_;
  std::size_t failAt_ = kNever;
  std::size_t at_ = 0;
  std::size_t reads_ = 0;
  std::size_t delivered_ = 0;
  bool sought_ = false;
};

}  // namespace filedata::testing
