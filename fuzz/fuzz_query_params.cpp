// The parameter text through the whole query, over a few fixed files.
// Input: [file choice][parameter text, "@" standing for the chosen file's
// path]. Every outcome is an answer or one of the library's own exceptions,
// the same when the plug-in's explanation observes it as without, and the
// explanation is JSON written by its byte rules.
// It changes into its scratch folder at start: give libFuzzer absolute paths.
#include <unistd.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "query/DataQuery.h"
#include "query/Errors.h"
#include "explain/Explanation.h"

namespace {
using namespace filedata;

std::vector<std::string> gPaths;

// Lines that cross the first two read boundaries (after 64 KiB, then 256 KiB
// more): a CR ends the first read and its LF begins the second, and a line
// runs over the second boundary.
std::string LongFile() {
  std::string text(65535, 'A');
  text += "\r\n";
  for (int i = 0; i < 40000; ++i) text += "12.5 C\n";
  return text + "last 9.75";
}
// The answer, or the message of the failure the host would be told of;
// nothing else may escape.
std::string Outcome(const std::string& params, TQueryObserver* observer) {
  try {
    const TDataAnswer answer = AnswerQuery(params, observer);
    FUZZ_CHECK(!answer.IsNumber || answer.Text.empty(), "params " + fuzz::Quoted(params) + ": a number with text");
    return answer.IsNumber ? "number " + std::to_string(answer.Number) : "text " + fuzz::Quoted(answer.Text);
  } catch (const filedata::Exception& failure) {
    return "failure " + failure.Message();
  }
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  gPaths = {
      fuzz::WriteScratchFile("numbers.txt", "42.5\r\n-3\n  7e2 \r$1F\r\n12 C\n\n0x10\r\r\n.\n-.e5"),
      fuzz::WriteScratchFile("breaks.txt", "\r\n\n\r\r\na\rb\n\rc\r\n\r"),
      fuzz::WriteScratchFile("empty.txt", ""),
      fuzz::WriteScratchFile("zero.txt", std::string_view("1.5\n2.5\0 3.5\n4.5", 16)),
      fuzz::WriteScratchFile("long.txt", LongFile()),
      fuzz::ScratchFolder(),  // a folder is no file
  };
  // Relative names then reach the fixed files and nothing else.
  if (chdir(fuzz::ScratchFolder().c_str()) != 0) fuzz::Fail("chdir", fuzz::ScratchFolder());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  // Only the fixed files: no path of the fuzzer's own making.
  if (text.find('/') != std::string_view::npos) return 0;
  const std::string& path = gPaths[data[0] % gPaths.size()];
  std::string params;
  for (const char c : text) {
    if (c == '@') {
      params += path;
    } else {
      params += c;
    }
  }

  // Once as the host asks, once explained: the answers must agree.
  const std::string plain = Outcome(params, nullptr);
  explain::TExplanation explanation;
  const std::string observed = Outcome(params, &explanation);
  FUZZ_CHECK(plain == observed, "params " + fuzz::Quoted(params) + ": " + plain + " but observed " + observed);
  const std::string steps = explanation.StepsJson(TQueryOutcome{}, 0);
  FUZZ_CHECK(steps.rfind("[{\"step\":", 0) == 0 && steps.substr(steps.size() - 2) == "}]",
             "params " + fuzz::Quoted(params) + ": steps " + steps);
  for (const char c : steps) {
    FUZZ_CHECK(c >= 0x20 && c < 0x7F, "params " + fuzz::Quoted(params) + ": a raw byte in " + fuzz::Quoted(steps));
  }
  return 0;
}
