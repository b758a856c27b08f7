// The word store's whole calls (open the file, run the query, read one
// value, close) on word tables of 1,000, 100,000 and 1,000,000 rows, written
// by our own writer into a temporary folder.
//
//   build-store/bench/store_bench [--benchmark_filter=GetWord]
//
// Set VORELKA_BENCH_KEEP=1 to keep the files (their folder is printed), for
// timing other readers on the same files.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "jet/write/words_table_builder.h"
#include "services/app_facts.h"
#include "services/testing/recording.h"
#include "store/word_store.h"

namespace {

using vorelka::jet::JetFormat;

class BenchFiles {
 public:
  BenchFiles() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vorelka-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder_ = pattern;
    keep_ = std::getenv("VORELKA_BENCH_KEEP") != nullptr;
    if (keep_) std::fprintf(stderr, "benchmark files in %s\n", folder_.c_str());
  }
  ~BenchFiles() {
    if (!keep_) std::filesystem::remove_all(folder_);
  }

  // The file of `rows` rows, written on first use.
  std::string FileOf(int64_t rows, JetFormat format) {
    const std::string name =
        std::string(format == JetFormat::kJet3 ? "jet3-" : "jet4-") + std::to_string(rows) + ".mdb";
    const std::string path = (folder_ / name).string();
    if (!std::filesystem::exists(path)) {
      vorelka::jet::WordsTableBuilder builder(path, format);
      for (int32_t id = 1; id <= rows; ++id) {
        builder.Add({id, {"english " + std::to_string(id), "русский " + std::to_string(id)}});
      }
      if (!builder.Finish().ok()) std::abort();
    }
    return path;
  }

 private:
  std::filesystem::path folder_;
  bool keep_ = false;
};

BenchFiles& Files() {
  static BenchFiles files;
  return files;
}

JetFormat FormatOf(const benchmark::State& state) {
  return state.range(1) == 3 ? JetFormat::kJet3 : JetFormat::kJet4;
}

void BM_GetWordCount(benchmark::State& state) {
  const std::string path = Files().FileOf(state.range(0), FormatOf(state));
  const vorelka::services::FixedAppFacts facts("/");
  vorelka::services::testing::RecordingMessageBox box;
  vorelka::store::WordStore store(facts, box);
  store.UseFile(path);
  for (auto _ : state) benchmark::DoNotOptimize(store.GetWordCount());
  if (!box.shown.empty()) state.SkipWithError(box.shown[0].text.c_str());
}

void BM_GetWord(benchmark::State& state) {
  const int64_t rows = state.range(0);
  const std::string path = Files().FileOf(rows, FormatOf(state));
  const vorelka::services::FixedAppFacts facts("/");
  vorelka::services::testing::RecordingMessageBox box;
  vorelka::store::WordStore store(facts, box);
  store.UseFile(path);
  // Keys spread over the table, the last one included.
  int32_t step = 0;
  for (auto _ : state) {
    const auto key = static_cast<int32_t>(rows - (step++ * 7919) % rows);
    benchmark::DoNotOptimize(store.GetWord(key, true));
  }
  if (!box.shown.empty()) state.SkipWithError(box.shown[0].text.c_str());
}

void Sizes(benchmark::internal::Benchmark* bench) {
  for (const int format : {3, 4}) {
    for (const int64_t rows : {1000, 100000, 1000000}) bench->Args({rows, format});
  }
  bench->ArgNames({"rows", "jet"})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_GetWordCount)->Apply(Sizes);
BENCHMARK(BM_GetWord)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
