// The line splitter, the last-line scan and the line count, on a file read
// in reads of any sizes, against the plain rules.
// Input: [stop after N lines, 0 = never][count of read sizes][sizes...][text].
// A text that begins with a UTF-16 mark is another target's: this one skips it.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "query/LastLine.h"
#include "query/LineSplitter.h"
#include "query/TextFile.h"
#include "tests/support/MemoryFile.h"
#include "tests/support/WholeLines.h"

namespace {
using namespace filedata;
using fuzz::Joined;
using fuzz::Quoted;

class TRecorder final : public testing::TWholeLines {
 public:
  explicit TRecorder(std::size_t stopAfter) : stopAfter_(stopAfter) {}
  bool OnLine(std::string_view line) override {
    FUZZ_CHECK(!stopped, "line " + Quoted(line) + " after the sink stopped");
    lines.emplace_back(line);
    stopped = lines.size() == stopAfter_;
    return !stopped;
  }
  std::vector<std::string> lines;
  bool stopped = false;

 private:
  std::size_t stopAfter_;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (input.size() < 2) return 0;
  const std::size_t stopAfter = static_cast<std::uint8_t>(input[0]) % 32;
  const std::size_t sizeCount = static_cast<std::uint8_t>(input[1]) % 8 + 1;
  if (input.size() < 2 + sizeCount) return 0;
  std::vector<std::size_t> sizes;
  for (std::size_t i = 0; i < sizeCount; ++i) sizes.push_back(static_cast<std::uint8_t>(input[2 + i]));
  const std::string_view text = input.substr(2 + sizeCount);
  if (ReadMark(text).Encoding != TTextEncoding::EightBit) return 0;

  std::vector<std::string> expected = fuzz::ReferenceLines(text);
  if (stopAfter != 0 && expected.size() > stopAfter) expected.resize(stopAfter);

  TRecorder chunked(stopAfter);
  {
    testing::TMemoryFile file(text);
    TFileText fileText(file.ReadsOf(sizes), "memory");
    TLineSplitter splitter(fileText.Units(), chunked);
    const bool ended = fileText.Feed(splitter);
    FUZZ_CHECK(ended == !chunked.stopped, "Feed gave " + std::to_string(ended) + " on " + Quoted(text));
    if (ended) {
      splitter.Finish();
    } else {
      FUZZ_CHECK(!splitter.OnUnits("more\n"), "the splitter took units after its sink stopped");
    }
  }
  FUZZ_CHECK(chunked.lines == expected,
             "chunked text " + Quoted(text) + "\ngot\n" + Joined(chunked.lines) + "want\n" + Joined(expected));

  // The last line and the count, found without splitting, in the same reads.
  const std::vector<std::string> all = fuzz::ReferenceLines(text);
  testing::TMemoryFile lastFile(text), countFile(text);
  TFileText lastText(lastFile.ReadsOf(sizes), "memory"), countText(countFile.ReadsOf(sizes), "memory");
  TLastLineScanner last(lastText.Units());
  TLineCounter counter(countText.Units());
  lastText.Feed(last);
  countText.Feed(counter);
  FUZZ_CHECK(counter.LineCount() == all.size(), "text " + Quoted(text) + ": counted " +
                                                    std::to_string(counter.LineCount()) + " lines, not " +
                                                    std::to_string(all.size()));
  FUZZ_CHECK(last.HasLines() == !all.empty(), "text " + Quoted(text) + ": lines or none");
  const TUnitSpan span = last.LastLine();
  const std::string_view lastLine = text.substr(span.Begin, span.End - span.Begin);
  FUZZ_CHECK(all.empty() || lastLine == all.back(),
             "text " + Quoted(text) + ": last line " + Quoted(lastLine) + ", not " + Quoted(all.back()));
  return 0;
}
