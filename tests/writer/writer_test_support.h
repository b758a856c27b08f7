// Helpers of the writer tests: running programs and reading word databases
// back through our engine and through mdb-reader.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "jet/write/words_table_builder.h"
#include "tests/support/test_files.h"
#include "tools/word_table_reader.h"

namespace vorelka::testing {

struct RunResult {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// Runs `arguments` (no shell), optionally feeding `input` on stdin.
RunResult RunProgram(const std::vector<std::string>& arguments, const std::string& input = "");

// Runs one query through mdb-sql without headers or footers; returns its
// output without the blank line mdb-sql starts with, and its stderr.
RunResult MdbSql(const std::filesystem::path& file, const std::string& query);

// Reads Words back through our engine, in stored order; fails the test if
// the file cannot be read or a row has a Null Id.
std::vector<Words> ReadWords(const std::filesystem::path& file, const std::string& table = "Words");

// The TSV `vorelka-words list` and the mdb-reader script print, in the given order.
std::string AsTsv(const std::vector<Words>& rows);

// The Words table as mdb-reader (npm), a reader independent of libmdb,
// reads it, in that TSV; needs the ctest fixture mdb_reader.
std::string RowsByMdbReader(const std::filesystem::path& file);

}  // namespace vorelka::testing
