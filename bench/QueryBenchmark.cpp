// Throughput of line splitting, number parsing and whole queries.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "query/DataQuery.h"
#include "query/FloatParse.h"
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

struct CountLines final : TLineSink {
  bool OnLine(std::string_view) override {
    ++count;
    return true;
  }
  std::size_t count = 0;
};

void BM_SplitLines(benchmark::State& state) {
  const std::string text = SensorLog(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    CountLines sink;
    SplitLines(text, sink);
    benchmark::DoNotOptimize(sink.count);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_SplitLines)->Arg(1 << 20)->Arg(16 << 20);

void BM_TryParseFloat(benchmark::State& state) {
  long double value;
  for (auto _ : state) benchmark::DoNotOptimize(TryParseFloat(" -12345.6789e-3 ", value, '.'));
}
BENCHMARK(BM_TryParseFloat);

// A whole query as the host runs it, first and last line of a file.
void BM_Query(benchmark::State& state) {
  const auto path = std::filesystem::temp_directory_path() / "filedata-bench.txt";
  {
    std::ofstream out(path, std::ios::binary);
    out << SensorLog(static_cast<std::size_t>(state.range(0)));
  }
  const std::string params = "FILENAME=" + path.string() + "|START=36|LENGTH=4|LINE=" + std::to_string(state.range(1));
  for (auto _ : state) benchmark::DoNotOptimize(AnswerQuery(params));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0) * (state.range(1) == 0));
  std::filesystem::remove(path);
}
BENCHMARK(BM_Query)->Args({1 << 20, 1})->Args({1 << 20, 0})->Args({64 << 20, 0});
}  // namespace
