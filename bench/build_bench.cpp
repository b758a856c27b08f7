// Building a word database of 1,000,000 rows, in both formats: time per
// build, and the file's size as the counter "file_bytes".
//
//   build-writer/bench/build_bench [--benchmark_repetitions=3]
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "jet/write/words_table_builder.h"

namespace {

using vorelka::jet::JetFormat;
using vorelka::jet::WordRow;
using vorelka::jet::WordsTableBuilder;

constexpr int kRows = 1000000;

const std::vector<WordRow>& Rows() {
  static const std::vector<WordRow> rows = [] {
    std::vector<WordRow> r;
    r.reserve(kRows);
    for (int i = 1; i <= kRows; ++i) {
      r.push_back({i, {"word " + std::to_string(i), "слово " + std::to_string(i)}});
    }
    return r;
  }();
  return rows;
}

void BM_Build(benchmark::State& state, JetFormat format) {
  const auto& rows = Rows();
  const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                     ("vorelka-build-bench-" + std::to_string(::getpid()) + ".mdb");
  for (auto _ : state) {
    WordsTableBuilder builder(file, format);
    for (const WordRow& row : rows) builder.Add(row);
    if (!builder.Finish().ok()) state.SkipWithError(builder.status().message().c_str());
  }
  state.counters["rows"] = kRows;
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(file));
  state.SetItemsProcessed(state.iterations() * kRows);
  std::filesystem::remove(file);
}

BENCHMARK_CAPTURE(BM_Build, Jet3, JetFormat::kJet3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Build, Jet4, JetFormat::kJet4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
