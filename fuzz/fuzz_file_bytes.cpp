// The input is a file's bytes: the whole query on it, for several LINE,
// START and LENGTH values, against the line, cut and number rules written
// out plainly (the number rule in FloatReference.h). Kind, text, number and
// failure message must all agree. The view of the file's lines (small limits,
// so that its reading of a long text's two ends is fuzzed too) must show
// those very lines at the numbers it gives them.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FloatReference.h"
#include "fuzz/FuzzSupport.h"
#include "query/DataQuery.h"
#include "query/Errors.h"
#include "query/FileView.h"
#include "query/LineSelection.h"
#include "query/TextEncoding.h"
#include "query/TextFile.h"
#include "platform/Platform.h"

namespace {
using namespace filedata;
using fuzz::Quoted;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
// Every cut on the first line (the fuzzer shapes it freely), a few on others.
constexpr struct {
  std::int32_t line, start, length;
} kQueries[] = {
    {1, 1, -1}, {1, 0, 3}, {1, 3, 2},  {1, 2, -2}, {1, kMin, kMax}, {1, kMax, 1},  {1, 7, -1},
    {2, 1, -1}, {3, 2, 4}, {0, 1, -1}, {0, 5, -1}, {-1, 1, -1},     {kMax, 1, -1}, {kMin, 1, -1},
};

struct TOutcome {
  std::string failure;  // the message, when the query failed
  bool isNumber = false;
  std::string text;
  std::uint64_t numberBits = 0;
  // What the reference cannot tell without the arithmetic: a text at the
  // edge of the range may be a number or not, and a long one's last bit.
  bool kindKnown = true;
  bool valueKnown = true;

  // Whether GOT, the query's outcome, agrees with this expected one.
  bool Admits(const TOutcome& got) const {
    if (failure != got.failure) return false;
    if (!failure.empty()) return true;
    if (!kindKnown && isNumber != got.isNumber) return got.isNumber ? got.text.empty() : got.text == text;
    if (isNumber != got.isNumber) return false;
    if (!isNumber) return text == got.text;
    return got.text.empty() && (!valueKnown || numberBits == got.numberBits);
  }
  std::string Described() const {
    if (!failure.empty()) return "failure " + Quoted(failure);
    if (!isNumber) return "text " + Quoted(text);
    double number;
    std::memcpy(&number, &numberBits, sizeof number);
    return "number " + std::to_string(number) + " (bits " + std::to_string(numberBits) + ")";
  }
};

TOutcome Number(double value) {
  TOutcome outcome;
  outcome.isNumber = true;
  std::memcpy(&outcome.numberBits, &value, sizeof value);
  return outcome;
}

TOutcome Expected(const std::vector<std::string>& lines, std::int32_t line, std::int32_t start, std::int32_t length) {
  const auto count = static_cast<std::int64_t>(lines.size());
  const std::int64_t index = line >= 1 ? std::int64_t{line} - 1 : count - line - 1;
  TOutcome outcome;
  if (index < 0 || index >= count) {
    outcome.failure = "List index out of bounds (" + std::to_string(index) + ")";
    return outcome;
  }
  const std::string& chosen = lines[static_cast<std::size_t>(index)];
  const std::int64_t wanted = length == -1 ? static_cast<std::int64_t>(chosen.size()) : length;
  const std::int64_t first = start < 1 ? 0 : std::int64_t{start} - 1;
  if (wanted >= 0 && first < static_cast<std::int64_t>(chosen.size())) {
    outcome.text = chosen.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(wanted));
  }
  const fuzz::TReferenceFloat number = fuzz::ReadReferenceFloat(outcome.text, '.');
  outcome.kindKnown = !number.NearTheRange;
  if (!number.WellFormed) return outcome;
  TOutcome numeric = Number(static_cast<double>(number.Value));
  numeric.kindKnown = outcome.kindKnown;
  numeric.text = outcome.text;  // for a text answer near the range
  numeric.valueKnown = number.Checkable;
  return numeric;
}

TOutcome Actual(const std::string& path, std::int32_t line, std::int32_t start, std::int32_t length) {
  TQueryParameters query;
  query.FileName = path;
  query.Line = line;
  query.Start = start;
  query.Length = length;
  try {
    const TDataAnswer answer = AnswerQuery(query);
    TOutcome outcome = answer.IsNumber ? Number(answer.Number) : TOutcome();
    outcome.text = answer.Text;  // a number has none
    return outcome;
  } catch (const filedata::Exception& e) {
    TOutcome outcome;
    outcome.failure = e.Message();
    return outcome;
  }
}
// After the read of each LINE form, the view lists only reference lines,
// at the number and the place from the end that LINE gives them, the last
// of them as LINE=0's; it counts what it says it counted, and ends the text
// where the reference does, zero bytes in the unlisted middle and all.
void CheckView(const std::string& path, std::string_view bytes, const std::vector<std::string>& lines) {
  TViewLimits limits;
  limits.HeadLines = 3;
  limits.TailLines = 3;
  limits.ReadThroughBytes = 64;
  limits.HeadBytes = 24;
  limits.TailBytes = 32;
  limits.LineBytes = 16;
  const std::size_t zero = bytes.find('\0');
  const std::uint64_t textEnd = zero == std::string_view::npos ? bytes.size() : zero;
  const auto count = static_cast<std::int64_t>(lines.size());
  for (const std::int32_t queried : {1, 0, -1}) {
    platform::TReadOnlyFile file;
    OpenTextFile(path, file);
    TReadFacts facts;
    try {
      SelectLine(file, path, queried, TLineKeep(), facts);
    } catch (const EStringListError&) {
    }
    const TFileView view = ReadFileView(file, path, facts, limits);
    const std::string what = "file " + Quoted(bytes) + " after LINE=" + std::to_string(queried);
    FUZZ_CHECK(view.End.EndsAt == textEnd, what + ": the view ends the text at " + std::to_string(view.End.EndsAt));
    FUZZ_CHECK(!view.LineCount || *view.LineCount == lines.size(),
               what + ": the view counts " + std::to_string(*view.LineCount) + " lines of " + std::to_string(count));
    const TViewLine* last = nullptr;
    for (const std::vector<TViewLine>* shown : {&view.Head, &view.Tail}) {
      for (const TViewLine& line : *shown) {
        last = &line;
        const std::int64_t index = line.Number ? static_cast<std::int64_t>(line.Number) - 1 : count - 1 - line.FromEnd;
        const bool agrees = (line.Number || line.FromEnd >= 0) && index >= 0 && index < count &&
                            (line.FromEnd < 0 || index == count - 1 - line.FromEnd) &&
                            lines[static_cast<std::size_t>(index)].substr(0, limits.LineBytes) == line.Text &&
                            line.CutShort == (lines[static_cast<std::size_t>(index)].size() > limits.LineBytes);
        FUZZ_CHECK(agrees, what + ": the view shows " + Quoted(line.Text) + " as line " + std::to_string(line.Number) +
                               ", " + std::to_string(line.FromEnd) + " from the end, of " + std::to_string(count));
      }
    }
    FUZZ_CHECK(lines.empty() == (last == nullptr) && (!last || last->FromEnd == 0),
               what + ": the view does not list the last line as LINE=0's");
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // UTF-16 with its mark is fuzz_encodings' to check.
  if (ReadMark(bytes).Encoding != TTextEncoding::EightBit) return 0;
  // Rewritten in place: truncating to zero would cost fresh pages (and on
  // ext4 a third of the speed) on every input.
  static const std::string path = fuzz::WriteScratchFile("input.txt", "");
  static const int file = open(path.c_str(), O_WRONLY);
  if (pwrite(file, data, size, 0) != static_cast<ssize_t>(size) || ftruncate(file, static_cast<off_t>(size)) != 0) {
    fuzz::Fail("rewriting the input file", path);
  }
  const std::vector<std::string> lines = fuzz::ReferenceLines(bytes);
  for (const auto& q : kQueries) {
    const TOutcome want = Expected(lines, q.line, q.start, q.length);
    const TOutcome got = Actual(path, q.line, q.start, q.length);
    FUZZ_CHECK(want.Admits(got), "file " + Quoted(bytes) + " LINE=" + std::to_string(q.line) +
                                " START=" + std::to_string(q.start) + " LENGTH=" + std::to_string(q.length) +
                                "\ngot  " + got.Described() + "\nwant " + want.Described());
  }
  CheckView(path, bytes, lines);
  return 0;
}
