#include "query/LineSelection.h"

#include "platform/Platform.h"
#include "query/Errors.h"
#include "query/LineSplitter.h"
#include "query/TextFile.h"

namespace filedata {

namespace {
// Keeps the line at one 0-based index and stops there.
class TLineAtIndex final : public TLineSink {
 public:
  explicit TLineAtIndex(std::int64_t index) : index_(index) {}
  bool OnLine(std::string_view line) override {
    if (seen_++ < index_) return true;
    line_.assign(line);
    found_ = true;
    return false;
  }
  bool found_ = false;
  std::string line_;

 private:
  std::int64_t index_;
  std::int64_t seen_ = 0;
};

// Counts every line and keeps a copy of the last one when asked to.
class TLastLine final : public TLineSink {
 public:
  explicit TLastLine(bool keep) : keep_(keep) {}
  bool OnLine(std::string_view line) override {
    ++count_;
    if (keep_) line_.assign(line);  // reuses the capacity: no allocation per line
    return true;
  }
  std::int64_t count_ = 0;
  std::string line_;

 private:
  bool keep_;
};
}  // namespace

std::string SelectLine(const std::string& fileName, std::int32_t line) {
  platform::TReadOnlyFile file;
  OpenTextFile(fileName, file);
  return SelectLine(file, fileName, line);
}

std::string SelectLine(platform::TFileReader& file, const std::string& fileName, std::int32_t line) {
  if (line >= 1) {
    TLineAtIndex wanted(static_cast<std::int64_t>(line) - 1);
    ReadLines(file, fileName, wanted);
    if (!wanted.found_) throw EStringListError::IndexOutOfBounds(static_cast<std::int64_t>(line) - 1);
    return std::move(wanted.line_);
  }
  TLastLine last(line == 0);
  ReadLines(file, fileName, last);
  const std::int64_t index = last.count_ - line - 1;
  if (index < 0 || index >= last.count_) throw EStringListError::IndexOutOfBounds(index);
  return std::move(last.line_);
}

}  // namespace filedata
