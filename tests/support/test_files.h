// Files for the tests: a temporary folder, word databases written by our own
// Jet writer in either format, and a file's bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "jet/write/words_table_builder.h"

namespace vorelka::testing {

// A fresh folder, removed with everything in it when the object goes, after
// undoing any permission change a test made.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  std::vector<std::string> FileNames() const;  // sorted

 private:
  std::filesystem::path path_;
};

// The words of one row, as a test writes and expects them.
struct Words {
  int32_t id;
  std::optional<std::string> english;
  std::optional<std::string> russian;
  bool operator==(const Words&) const = default;
};

// Writes a table of `rows` with the writer; fails the test on any error.
void WriteWords(const std::filesystem::path& file, jet::JetFormat format,
                const std::vector<Words>& rows, jet::TableSchema schema = {});

// Keys 1..count, or the keys given, with words "english <n>" and "russian <n>".
std::vector<Words> NumberedRows(int32_t count);
std::vector<Words> RowsWithKeys(const std::vector<int32_t>& keys);

// The formats a suite runs over, and its cases' names for them: Jet3, Jet4.
inline const std::vector<jet::JetFormat> kBothFormats = {jet::JetFormat::kJet3,
                                                         jet::JetFormat::kJet4};
std::string FormatName(jet::JetFormat format);
struct FormatParamName {
  std::string operator()(const ::testing::TestParamInfo<jet::JetFormat>& info) const {
    return FormatName(info.param);
  }
};

// `piece` `times` times over.
std::string Repeat(const std::string& piece, int times);

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);

}  // namespace vorelka::testing
