// Helpers of the writer tests: scratch folders, running programs, building
// word databases with the writer and reading them back through libmdb.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "jet/words_table_builder.h"
#include "tools/word_table_reader.h"

namespace vorelka::testing {

// A fresh folder, removed with everything in it when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  std::vector<std::string> FileNames() const;

 private:
  std::filesystem::path path_;
};

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

// The words of one row, as a test writes and expects them.
struct Words {
  int32_t id;
  std::optional<std::string> english;
  std::optional<std::string> russian;
  bool operator==(const Words&) const = default;
};

// Builds a Words table with the given rows; fails the test on any error.
void BuildWords(const std::filesystem::path& file, jet::JetFormat format,
                const std::vector<Words>& rows);

// Reads Words back through libmdb, in stored order; fails the test if the
// file cannot be read or a row has a Null Id.
std::vector<Words> ReadWords(const std::filesystem::path& file, const std::string& table = "Words");

// The TSV `vorelka-words list` and the mdb-reader script print, in the given order.
std::string AsTsv(const std::vector<Words>& rows);

std::string FormatName(jet::JetFormat format);

std::string ReadFile(const std::filesystem::path& file);
void WriteFile(const std::filesystem::path& file, const std::string& bytes);

}  // namespace vorelka::testing
