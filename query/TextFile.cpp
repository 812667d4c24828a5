#include "query/TextFile.h"

#include <algorithm>
#include <memory>

#include "platform/Platform.h"
#include "query/Errors.h"

namespace filedata {

namespace {
constexpr std::size_t kChunkBytes = 64 * 1024;
}

bool FileIsPresent(const std::string& name) { return platform::FileIsPresent(name); }

std::string FullPathOf(const std::string& name) { return platform::FullPathOf(name); }

std::string SystemErrorText(std::uint32_t code) {
  std::string text = platform::SystemMessageText(code);
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= 0x20 || text.back() == '.')) text.pop_back();
  return text;
}

void ReadTextFileLines(const std::string& name, TLineSink& sink) {
  platform::TReadOnlyFile file;
  if (!file.Open(name)) throw EFOpenError::CannotOpen(FullPathOf(name), SystemErrorText(file.ErrorCode()));
  std::uint64_t remaining = file.SizeAtOpen();
  const std::size_t bufferSize = static_cast<std::size_t>(std::min<std::uint64_t>(remaining, kChunkBytes));
  const std::unique_ptr<char[]> buffer(new char[bufferSize ? bufferSize : 1]);
  TLineSplitter splitter(sink);
  while (remaining > 0) {
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(remaining, bufferSize));
    const std::size_t got = file.Read(buffer.get(), want);
    if (got == 0) break;  // the file shrank or the read failed: keep what came
    remaining -= got;
    if (!splitter.Feed(std::string_view(buffer.get(), got))) return;
  }
  splitter.Finish();
}

}  // namespace filedata
