// Writes the seed inputs of the fuzz targets into a folder: word databases
// made by our writer, in both formats, covering the shapes the reader must
// handle (an empty table, nulls and empty strings, Cyrillic, negative and
// extreme keys, a multi-level index, another table name, a missing column),
// and word lists in TSV and CSV.
//
//   fuzz_make_seeds <folder>   then fuzz with -merge=1 into corpus/<target>/
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "jet/write/words_table_builder.h"

namespace {

using vorelka::jet::JetFormat;
using vorelka::jet::TableSchema;
using vorelka::jet::WordRow;
using vorelka::jet::WordsTableBuilder;

bool Build(const std::filesystem::path& path, JetFormat format, const std::vector<WordRow>& rows,
           TableSchema schema = {}) {
  WordsTableBuilder builder(path, format, std::move(schema));
  for (const WordRow& row : rows) builder.Add(row);
  const auto status = builder.Finish();
  if (!status.ok()) std::fprintf(stderr, "%s: %s\n", path.c_str(), status.message().c_str());
  return status.ok();
}

std::vector<WordRow> Counting(int32_t count) {
  std::vector<WordRow> rows;
  for (int32_t id = 1; id <= count; ++id) {
    rows.push_back({id, {"word " + std::to_string(id), "слово " + std::to_string(id)}});
  }
  return rows;
}

void WriteText(const std::filesystem::path& path, char format_byte, const std::string& text) {
  std::ofstream(path, std::ios::binary) << format_byte << text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder(argv[1]);
  std::filesystem::create_directories(folder / "db");
  std::filesystem::create_directories(folder / "word_list");
  bool ok = true;
  for (const auto& [format, format_name] :
       {std::pair{JetFormat::kJet3, "jet3"}, {JetFormat::kJet4, "jet4"}}) {
    const std::string name = format_name;  // clang 14 cannot capture a structured binding
    const auto db = [&](const std::string& what) {
      return folder / "db" / (name + "_" + what + ".mdb");
    };
    ok &= Build(db("empty"), format, {});
    ok &= Build(db("three"), format,
                {{1, {"cat", "кошка"}}, {2, {std::nullopt, "ёж"}}, {3, {"", std::nullopt}}});
    ok &= Build(db("edge_keys"), format,
                {{std::numeric_limits<int32_t>::min(), {"min", "мин"}},
                 {-1, {"minus one", "минус один"}},
                 {0, {"zero", "ноль"}},
                 {std::numeric_limits<int32_t>::max(), {"max", "макс"}}});
    ok &= Build(db("multi_level"), format, Counting(1500));
    ok &= Build(db("other_table"), format, Counting(3),
                TableSchema{"Other", "Id", {"English", "Russian"}});
    ok &= Build(db("no_russian"), format, {{1, {"one"}}, {2, {"two"}}},
                TableSchema{"Words", "Id", {"English"}});
  }
  // The first byte picks the parser: 0 TSV, 1 CSV, 2 sniffed.
  const auto list = [&](const std::string& what) { return folder / "word_list" / what; };
  WriteText(list("tsv"), 0, "English\tRussian\ncat\tкошка\ndog\tсобака\n");
  WriteText(list("tsv_ids_nulls"), 0,
            "Id\tRussian\tEnglish\r\n3\t\\N\tthree\r\n-7\tминус\t\\N\r\n1\t\t\\t\\\\\n");
  WriteText(list("csv"), 1,
            "english,russian\n\"a, b\",\"в \"\"кавычках\"\"\"\n\"line\nbreak\",\\N\n");
  WriteText(list("csv_ids"), 1, "ID,English,Russian\n2147483647,max,макс\n-2147483648,min,мин\n");
  WriteText(list("sniffed"), 2, "Russian,English\nдом,house\n");
  WriteText(list("bad_id"), 0, "Id\tEnglish\tRussian\n1\ta\tб\n1\tc\tд\nx\te\tё\n");
  return ok ? 0 : 1;
}
