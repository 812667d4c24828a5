// Throughput of the byte searches, the line selection and whole queries, in
// memory and on files; and the everyday cost: a query of a small file
// against a bare open, read and close of it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Platform.h"
#include "query/ByteSearch.h"
#include "query/DataQuery.h"
#include "query/FloatParse.h"
#include "query/LastLine.h"
#include "query/LineSelection.h"
#include "query/LineSplitter.h"

namespace {
using namespace filedata;

std::string SensorLog(std::size_t bytes) {
  const std::string line = "2026-12-08 18:00:00 sensor=7 Temp: 42.5 C\r\n";
  std::string text;
  text.reserve(bytes + line.size());
  while (text.size() < bytes) text += line;
  return text;
}

const std::string& Log16M() {
  static const std::string text = SensorLog(16 << 20);
  return text;
}

void SetBytes(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

// Each kind of search this processor can run; argument: its index.
const TByteSearches& SearchAt(const benchmark::State& state) {
  static const auto all = AvailableByteSearches();
  return *all[static_cast<std::size_t>(state.range(0)) % all.size()];
}

void BM_FindLineBreak(benchmark::State& state) {
  const TByteSearches& search = SearchAt(state);
  state.SetLabel(search.Kind);
  const std::string& text = Log16M();
  for (auto _ : state) {
    std::size_t lines = 0;
    const char* end = text.data() + text.size();
    for (const char* p = text.data(); p < end; p = search.FindLineBreak(p, end) + 1) ++lines;
    benchmark::DoNotOptimize(lines);
  }
  SetBytes(state, text.size());
}
BENCHMARK(BM_FindLineBreak)->DenseRange(0, 2);

void BM_FindZeroByte(benchmark::State& state) {
  const TByteSearches& search = SearchAt(state);
  state.SetLabel(search.Kind);
  const std::string& text = Log16M();
  for (auto _ : state) benchmark::DoNotOptimize(search.FindZeroByte(text.data(), text.data() + text.size()));
  SetBytes(state, text.size());
}
BENCHMARK(BM_FindZeroByte)->DenseRange(0, 2);

void BM_CountLineEnds(benchmark::State& state) {
  const TByteSearches& search = SearchAt(state);
  state.SetLabel(search.Kind);
  const std::string& text = Log16M();
  for (auto _ : state) benchmark::DoNotOptimize(search.CountLineEnds(text.data(), text.data() + text.size()));
  SetBytes(state, text.size());
}
BENCHMARK(BM_CountLineEnds)->DenseRange(0, 2);

// The zero-byte search and the last-line search over 64 KiB chunks.
void BM_LastLineScan(benchmark::State& state) {
  const std::string& text = Log16M();
  for (auto _ : state) {
    TLastLineScanner scanner;
    for (std::size_t at = 0; at < text.size(); at += 64 << 10)
      scanner.OnBytes(std::string_view(text).substr(at, 64 << 10));
    benchmark::DoNotOptimize(scanner.LastLine().size());
  }
  SetBytes(state, text.size());
}
BENCHMARK(BM_LastLineScan);

void BM_SplitLines(benchmark::State& state) {
  struct TCount final : TLineSink {
    bool OnLine(std::string_view) override { return ++count > 0; }
    std::size_t count = 0;
  };
  const std::string& text = Log16M();
  for (auto _ : state) {
    TCount sink;
    SplitLines(text, sink);
    benchmark::DoNotOptimize(sink.count);
  }
  SetBytes(state, text.size());
}
BENCHMARK(BM_SplitLines);

// A file held in memory, read in the chunks the query asks for.
class TMemoryFile final : public platform::TFileReader {
 public:
  explicit TMemoryFile(const std::string& bytes) : bytes_(bytes) {}
  std::uint64_t SizeAtOpen() const noexcept override { return bytes_.size(); }
  bool Read(char* buffer, std::size_t count, std::size_t& delivered) override {
    delivered = bytes_.copy(buffer, count, at_);
    at_ += delivered;
    return true;
  }
  std::uint32_t ErrorCode() const noexcept override { return 0; }

 private:
  const std::string& bytes_;
  std::size_t at_ = 0;
};

// The line selection on a buffer; argument: LINE (0 the last line, -1 a
// count, N stops there).
void BM_SelectLineInMemory(benchmark::State& state) {
  const std::string& text = Log16M();
  const auto line = static_cast<std::int32_t>(state.range(0));
  for (auto _ : state) {
    TMemoryFile file(text);
    try {
      benchmark::DoNotOptimize(SelectLine(file, "memory", line));
    } catch (const std::exception&) {  // LINE=-1 always lies past the end
    }
  }
  const std::size_t lineBytes = 43;
  SetBytes(state, line > 0 ? std::min(text.size(), static_cast<std::size_t>(line) * lineBytes) : text.size());
}
BENCHMARK(BM_SelectLineInMemory)->Arg(0)->Arg(-1)->Arg(200000);

std::string WriteFile(const char* name, const std::string& bytes) {
  const auto path = std::filesystem::temp_directory_path() / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path.string();
}

// A whole query on a file, as the host runs it; arguments: size, LINE.
void BM_QueryFile(benchmark::State& state) {
  const auto size = static_cast<std::size_t>(state.range(0));
  const std::string path = WriteFile("filedata-bench.txt", SensorLog(size));
  const std::string params = "FILENAME=" + path + "|START=36|LENGTH=4|LINE=" + std::to_string(state.range(1));
  for (auto _ : state) {
    try {
      benchmark::DoNotOptimize(AnswerQuery(params));
    } catch (const std::exception&) {
    }
  }
  SetBytes(state, state.range(1) > 0 ? 0 : size);
  std::filesystem::remove(path);
}
BENCHMARK(BM_QueryFile)->Args({64 << 20, 0})->Args({64 << 20, -1})->Args({64 << 20, 1})->Args({1 << 10, 0});

// What the query on a 1 KB file is held against: a bare open, read and close.
void BM_BareReadSmallFile(benchmark::State& state) {
  const std::string path = WriteFile("filedata-bench-small.txt", SensorLog(1 << 10));
  char buffer[4096];
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    benchmark::DoNotOptimize(file ? std::fread(buffer, 1, sizeof buffer, file) : 0);
    if (file) std::fclose(file);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_BareReadSmallFile);

void BM_TryParseFloat(benchmark::State& state) {
  long double value;
  for (auto _ : state) benchmark::DoNotOptimize(TryParseFloat(" -12345.6789e-3 ", value, '.'));
}
BENCHMARK(BM_TryParseFloat);
}  // namespace
