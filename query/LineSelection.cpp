#include "query/LineSelection.h"

#include "platform/Platform.h"
#include "query/Errors.h"
#include "query/LastLine.h"
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
  if (line == 0) {
    TLastLineScanner last;
    ReadChunks(file, fileName, last);
    if (!last.HasLines()) throw EStringListError::IndexOutOfBounds(-1);
    return last.LastLine();
  }
  // A negative LINE lies past the last line: only the count is needed, for the message.
  TLineCounter counter;
  ReadChunks(file, fileName, counter);
  throw EStringListError::IndexOutOfBounds(static_cast<std::int64_t>(counter.LineCount()) - line - 1);
}

}  // namespace filedata
