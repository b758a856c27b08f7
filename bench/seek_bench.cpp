// The word lookup's WHERE Id = n, answered through the primary-key index and
// by reading every data page, on tables of 1,000 to 1,000,000 rows in both
// file formats. The table is opened once; only the lookup is timed.
//
//   build/bench/seek_bench [--benchmark_filter=Seek]
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "jet/read/index_seek.h"
#include "jet/format/page_file.h"
#include "jet/read/catalog_lookup.h"
#include "jet/read/open_table.h"
#include "jet/read/row_lookup.h"
#include "jet/write/words_table_builder.h"

namespace {

using vorelka::jet::JetFormat;

// A Words table of `rows` rows, written on first use and kept open.
class BenchTable {
 public:
  BenchTable(const std::filesystem::path& path, int64_t rows, JetFormat format) {
    vorelka::jet::WordsTableBuilder builder(path, format);
    for (int32_t id = 1; id <= rows; ++id) {
      builder.Add({id, {"english " + std::to_string(id), "русский " + std::to_string(id)}});
    }
    if (!builder.Finish().ok()) std::abort();
    file_ = std::make_unique<vorelka::jet::format::PageFile>(path.string());
    const auto entry = vorelka::jet::FindTable(*file_, "Words");
    table_ = std::make_unique<vorelka::jet::OpenTable>(*file_, entry.definition_page, entry.name);
    id_ = table_->FindColumn("Id").value();
  }
  const vorelka::jet::OpenTable& table() const { return *table_; }
  size_t id() const { return id_; }

 private:
  std::unique_ptr<vorelka::jet::format::PageFile> file_;
  std::unique_ptr<vorelka::jet::OpenTable> table_;
  size_t id_ = 0;
};

class BenchFiles {
 public:
  BenchFiles() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vorelka-seek-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder_ = pattern;
  }
  ~BenchFiles() {
    tables_.clear();
    std::filesystem::remove_all(folder_);
  }
  const BenchTable& Table(int64_t rows, JetFormat format) {
    auto& table = tables_[{rows, format}];
    if (!table) {
      const std::string name = std::string(format == JetFormat::kJet3 ? "jet3-" : "jet4-") +
                               std::to_string(rows) + ".mdb";
      table = std::make_unique<BenchTable>(folder_ / name, rows, format);
    }
    return *table;
  }

 private:
  std::filesystem::path folder_;
  std::map<std::pair<int64_t, JetFormat>, std::unique_ptr<BenchTable>> tables_;
};

BenchFiles& Files() {
  static BenchFiles files;
  return files;
}

JetFormat FormatOf(const benchmark::State& state) {
  return state.range(1) == 3 ? JetFormat::kJet3 : JetFormat::kJet4;
}

void BM_Seek(benchmark::State& state) {
  const BenchTable& bench = Files().Table(state.range(0), FormatOf(state));
  std::mt19937 random(1);
  std::uniform_int_distribution<int32_t> key(1, static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    const auto seek = vorelka::jet::SeekLongKey(bench.table(), bench.id(), key(random));
    if (seek.outcome != vorelka::jet::SeekOutcome::kFound) state.SkipWithError("seek failed");
  }
}

void BM_Scan(benchmark::State& state) {
  const BenchTable& bench = Files().Table(state.range(0), FormatOf(state));
  std::mt19937 random(1);
  std::uniform_int_distribution<int32_t> key(1, static_cast<int32_t>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        vorelka::jet::ScanRowsWithLong(bench.table(), bench.id(), key(random)));
  }
}

BENCHMARK(BM_Seek)
    ->ArgsProduct({{1000, 100000, 1000000}, {3, 4}})
    ->ArgNames({"rows", "jet"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Scan)
    ->ArgsProduct({{1000, 100000, 1000000}, {3, 4}})
    ->ArgNames({"rows", "jet"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
