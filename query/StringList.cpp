#include "query/StringList.h"

#include "query/Errors.h"
#include "query/LineSplitter.h"
#include "query/TextFile.h"

namespace filedata {

namespace {
class TCollectLines final : public TLineSink {
 public:
  bool OnLine(std::string_view line) override {
    lines.emplace_back(line);
    return true;
  }
  std::vector<std::string> lines;
};
}  // namespace

void TStringList::LoadFromTextFile(const std::string& fileName) {
  TCollectLines collected;
  ReadTextFileLines(fileName, collected);
  lines_ = std::move(collected.lines);
}

void TStringList::SetText(std::string_view text) {
  TCollectLines collected;
  SplitLines(text, collected);
  lines_ = std::move(collected.lines);
}

const std::string& TStringList::LineAt(std::int32_t index) const {
  if (index < 0 || index >= LineCount()) throw EStringListError::IndexOutOfBounds(index);
  return lines_[static_cast<std::size_t>(index)];
}

}  // namespace filedata
