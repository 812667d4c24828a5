// The chunked line splitter against the whole-text split and the plain rules.
// Input: [stop after N lines, 0 = never][count of chunk sizes][sizes...][text].
// Each chunk is copied to a buffer of its own size and freed after Feed, so
// the sanitizer sees any read past a chunk or any view kept into one.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "query/LastLine.h"
#include "query/LineSplitter.h"

namespace {
using namespace filedata;
using fuzz::Joined;
using fuzz::Quoted;

class TRecorder final : public TLineSink {
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
  bool anyBytes = false;
  for (const std::size_t s : sizes) anyBytes |= s != 0;
  if (!anyBytes) sizes = {input.size()};
  const std::string_view text = input.substr(2 + sizeCount);

  std::vector<std::string> expected = fuzz::ReferenceLines(text);
  if (stopAfter != 0 && expected.size() > stopAfter) expected.resize(stopAfter);

  TRecorder whole(stopAfter);
  SplitLines(text, whole);
  FUZZ_CHECK(whole.lines == expected,
             "whole text " + Quoted(text) + "\ngot\n" + Joined(whole.lines) + "want\n" + Joined(expected));

  TRecorder chunked(stopAfter);
  TLineSplitter splitter(chunked);
  bool going = true;
  std::size_t at = 0;
  for (std::size_t k = 0; going && at < text.size(); ++k) {
    const std::size_t length = std::min(sizes[k % sizes.size()], text.size() - at);
    const std::unique_ptr<char[]> chunk(new char[length]);
    std::copy_n(text.data() + at, length, chunk.get());
    going = splitter.Feed(std::string_view(chunk.get(), length));
    at += length;
    const bool zeroFed = text.substr(0, at).find('\0') != std::string_view::npos;
    FUZZ_CHECK(going == !(chunked.stopped || zeroFed),
               "Feed gave " + std::to_string(going) + " after " + std::to_string(at) + " bytes of " + Quoted(text));
  }
  if (going) {
    splitter.Finish();
  } else {
    FUZZ_CHECK(!splitter.Feed("more\n"), "Feed accepted bytes after the splitting ended");
  }
  FUZZ_CHECK(chunked.lines == expected,
             "chunked text " + Quoted(text) + "\ngot\n" + Joined(chunked.lines) + "want\n" + Joined(expected));

  // The last line and the count, found without splitting, in the same chunks.
  const std::vector<std::string> all = fuzz::ReferenceLines(text);
  TLastLineScanner last;
  TLineCounter counter;
  bool lastGoing = true, countGoing = true;
  for (std::size_t k = 0, from = 0; from < text.size(); ++k) {
    const std::size_t length = std::min(sizes[k % sizes.size()], text.size() - from);
    const std::unique_ptr<char[]> chunk(new char[length]);
    std::copy_n(text.data() + from, length, chunk.get());
    if (lastGoing) lastGoing = last.OnBytes(std::string_view(chunk.get(), length));
    if (countGoing) countGoing = counter.OnBytes(std::string_view(chunk.get(), length));
    from += length;
  }
  FUZZ_CHECK(counter.LineCount() == all.size(), "text " + Quoted(text) + ": counted " +
                                                    std::to_string(counter.LineCount()) + " lines, not " +
                                                    std::to_string(all.size()));
  FUZZ_CHECK(last.HasLines() == !all.empty(), "text " + Quoted(text) + ": lines or none");
  FUZZ_CHECK(all.empty() || last.LastLine() == all.back(),
             "text " + Quoted(text) + ": last line " + Quoted(last.LastLine()) + ", not " + Quoted(all.back()));
  return 0;
}
