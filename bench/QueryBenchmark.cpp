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
#include "query/DataQuery.h"
#include "query/FloatParse.h"
#include "query/LastLine.h"
#include "query/LineSelection.h"
#include "query/LineSplitter.h"
#include "query/TextFile.h"
#include "query/UnitSearch.h"
#include "tests/support/MemoryFile.h"

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

// The same log as PowerShell writes it, UTF-16LE after its mark.
const std::string& Utf16Log16M() {
  static const std::string text = [] {
    std::string units = "\xFF\xFE";
    for (const char c : SensorLog(8 << 20)) units += {c, '\0'};
    return units;
  }();
  return text;
}

// The text of argument 1: 0 the 8-bit log, 1 the UTF-16LE one (mark and all).
TTextEncoding EncodingAt(const benchmark::State& state) {
  return state.range(1) == 0 ? TTextEncoding::EightBit : TTextEncoding::Utf16LE;
}
const std::string& LogFor(TTextEncoding encoding) {
  return encoding == TTextEncoding::EightBit ? Log16M() : Utf16Log16M();
}

void SetBytes(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

// Each kind of search this processor can run; arguments: its index, the text.
const TUnitSearches& SearchAt(benchmark::State& state) {
  const auto all = AvailableUnitSearches(EncodingAt(state));
  const TUnitSearches& search = *all[static_cast<std::size_t>(state.range(0)) % all.size()];
  state.SetLabel(std::string(search.Kind) + (search.UnitSize == 1 ? " 8-bit" : " UTF-16LE"));
  return search;
}
// The units of the text, without the mark.
std::string_view UnitsOf(TTextEncoding encoding) {
  return std::string_view(LogFor(encoding)).substr(encoding == TTextEncoding::EightBit ? 0 : 2);
}
// As much as the query reads at a time: it searches each read while the
// read is still in the processor's cache.
std::string_view OneReadOf(TTextEncoding encoding) { return UnitsOf(encoding).substr(0, kReadBytes); }
void EveryKind(benchmark::internal::Benchmark* b) {
  for (int text = 0; text < 2; ++text) {
    for (int kind = 0; kind < 3; ++kind) b->Args({kind, text});
  }
}

void BM_FindLineBreak(benchmark::State& state) {
  const TUnitSearches& search = SearchAt(state);
  const std::string_view text = OneReadOf(EncodingAt(state));
  for (auto _ : state) {
    std::size_t lines = 0;
    const char* end = text.data() + text.size();
    for (const char* p = text.data(); p < end; p = search.FindLineBreak(p, end) + search.UnitSize) ++lines;
    benchmark::DoNotOptimize(lines);
  }
  SetBytes(state, text.size());
}
BENCHMARK(BM_FindLineBreak)->Apply(EveryKind);

void BM_FindZero(benchmark::State& state) {
  const TUnitSearches& search = SearchAt(state);
  const std::string_view text = OneReadOf(EncodingAt(state));
  for (auto _ : state) benchmark::DoNotOptimize(search.FindZero(text.data(), text.data() + text.size()));
  SetBytes(state, text.size());
}
BENCHMARK(BM_FindZero)->Apply(EveryKind);

// From the end back to the start, one break at a time.
void BM_FindLastLineBreak(benchmark::State& state) {
  const TUnitSearches& search = SearchAt(state);
  const std::string_view text = OneReadOf(EncodingAt(state));
  for (auto _ : state) {
    std::size_t breaks = 0;
    for (const char* end = text.data() + text.size(); (end = search.FindLastLineBreak(text.data(), end));) ++breaks;
    benchmark::DoNotOptimize(breaks);
  }
  SetBytes(state, text.size());
}
BENCHMARK(BM_FindLastLineBreak)->Apply(EveryKind);

void BM_CountLineEnds(benchmark::State& state) {
  const TUnitSearches& search = SearchAt(state);
  const std::string_view text = OneReadOf(EncodingAt(state));
  for (auto _ : state) {
    const char* zero = nullptr;
    benchmark::DoNotOptimize(search.CountLineEndsToZero(text.data(), text.data() + text.size(), zero));
  }
  SetBytes(state, text.size());
}
BENCHMARK(BM_CountLineEnds)->Apply(EveryKind);

// LINE=0's work on text in memory: per read, the zero search and the
// last-line scan; argument: 0 the 8-bit log, 1 the UTF-16LE one.
void BM_LastLineScan(benchmark::State& state) {
  const TTextEncoding encoding = state.range(0) == 0 ? TTextEncoding::EightBit : TTextEncoding::Utf16LE;
  const TUnitSearches& search = UnitSearches(encoding);
  const std::string_view text = UnitsOf(encoding);
  state.SetLabel(std::string(search.Kind) + (search.UnitSize == 1 ? " 8-bit" : " UTF-16LE"));
  for (auto _ : state) {
    TLastLineScanner scanner(search);
    for (std::size_t at = 0; at < text.size(); at += kReadBytes) {
      const std::string_view chunk = text.substr(at, kReadBytes);
      const char* zero = search.FindZero(chunk.data(), chunk.data() + chunk.size());
      scanner.OnUnits(chunk.substr(0, static_cast<std::size_t>(zero - chunk.data())));
    }
    benchmark::DoNotOptimize(scanner.LastLine().End);
  }
  SetBytes(state, text.size());
}
BENCHMARK(BM_LastLineScan)->Arg(0)->Arg(1);

void BM_SplitLines(benchmark::State& state) {
  struct TCount final : TLineSink {
    bool OnPiece(std::string_view, std::uint64_t, bool ends) override {
      count += ends;
      return true;
    }
    std::size_t count = 0;
  };
  const std::string& text = Log16M();
  for (auto _ : state) {
    TCount sink;
    testing::TMemoryFile file(text);
    TFileText fileText(file, "memory");
    TLineSplitter splitter(fileText.Units(), sink);
    if (fileText.Feed(splitter)) splitter.Finish();
    benchmark::DoNotOptimize(sink.count);
  }
  SetBytes(state, text.size());
}
BENCHMARK(BM_SplitLines);

// The line selection on a buffer; arguments: LINE (0 the last line, -1 a
// count, N stops there), the text (0 the 8-bit log, 1 the UTF-16LE one).
void BM_SelectLineInMemory(benchmark::State& state) {
  const std::string& text = LogFor(EncodingAt(state));
  const auto line = static_cast<std::int32_t>(state.range(0));
  state.SetLabel(EncodingAt(state) == TTextEncoding::EightBit ? "8-bit" : "UTF-16LE");
  for (auto _ : state) {
    testing::TMemoryFile file(text);
    TReadFacts facts;
    try {
      benchmark::DoNotOptimize(SelectLine(file, "memory", line, TLineKeep(), facts));
    } catch (const std::exception&) {  // LINE=-1 always lies past the end
    }
  }
  const std::size_t lineBytes = 43 * UnitSize(EncodingAt(state));
  SetBytes(state, line > 0 ? std::min(text.size(), static_cast<std::size_t>(line) * lineBytes) : text.size());
}
BENCHMARK(BM_SelectLineInMemory)->ArgsProduct({{0, -1, 200000}, {0, 1}});

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
