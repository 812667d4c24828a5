#include "query/TextFile.h"

#include <algorithm>
#include <memory>

#include "platform/Platform.h"
#include "query/Errors.h"

namespace filedata {

namespace {
constexpr std::size_t kChunkBytes = 64 * 1024;

// Splits the bytes it is fed into lines.
class TChunksToLines final : public TChunkSink {
 public:
  explicit TChunksToLines(TLineSink& lines) : splitter_(lines) {}
  bool OnBytes(std::string_view bytes) override { return splitter_.Feed(bytes); }
  void Finish() { splitter_.Finish(); }

 private:
  TLineSplitter splitter_;
};
}  // namespace

bool ReadChunks(platform::TFileReader& file, const std::string& name, TChunkSink& sink) {
  std::uint64_t remaining = file.SizeAtOpen();
  const std::size_t bufferSize = static_cast<std::size_t>(std::min<std::uint64_t>(remaining, kChunkBytes));
  const std::unique_ptr<char[]> buffer(new char[bufferSize ? bufferSize : 1]);
  while (remaining > 0) {
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(remaining, bufferSize));
    std::size_t got = 0;
    if (!file.Read(buffer.get(), want, got)) {
      throw EReadError::CannotRead(platform::FullPathOf(name), platform::SystemErrorText(file.ErrorCode()));
    }
    if (got == 0) break;  // the file shrank: keep what came
    remaining -= got;
    if (!sink.OnBytes(std::string_view(buffer.get(), got))) return false;
  }
  return true;
}

void OpenTextFile(const std::string& name, platform::TReadOnlyFile& file) {
  if (!file.Open(name)) {
    throw EFOpenError::CannotOpen(platform::FullPathOf(name), platform::SystemErrorText(file.ErrorCode()));
  }
}

void ReadLines(platform::TFileReader& file, const std::string& name, TLineSink& sink) {
  TChunksToLines lines(sink);
  if (ReadChunks(file, name, lines)) lines.Finish();
}

void ReadTextFileLines(const std::string& name, TLineSink& sink) {
  platform::TReadOnlyFile file;
  OpenTextFile(name, file);
  ReadLines(file, name, sink);
}

}  // namespace filedata
