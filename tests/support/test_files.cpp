#include "tests/support/test_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <numeric>
#include <sstream>

namespace vorelka::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vorelka-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot make a temporary folder";
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
  }
  std::filesystem::remove_all(path_, ec);
}

std::vector<std::string> TempDir::FileNames() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void WriteWords(const std::filesystem::path& file, jet::JetFormat format,
                const std::vector<Words>& rows, jet::TableSchema schema) {
  const size_t columns = schema.text_columns.size();
  jet::WordsTableBuilder builder(file, format, std::move(schema));
  for (const Words& words : rows) {
    jet::WordRow row{words.id, {words.english, words.russian}};
    row.texts.resize(columns);
    builder.Add(row);
  }
  const jet::Status status = builder.Finish();
  ASSERT_TRUE(status.ok()) << status.message();
}

std::vector<Words> NumberedRows(int32_t count) {
  std::vector<int32_t> keys(static_cast<size_t>(count));
  std::iota(keys.begin(), keys.end(), 1);
  return RowsWithKeys(keys);
}

std::vector<Words> RowsWithKeys(const std::vector<int32_t>& keys) {
  std::vector<Words> rows;
  rows.reserve(keys.size());
  for (const int32_t id : keys) {
    rows.push_back({id, "english " + std::to_string(id), "russian " + std::to_string(id)});
  }
  return rows;
}

std::string FormatName(jet::JetFormat format) {
  return format == jet::JetFormat::kJet3 ? "Jet3" : "Jet4";
}

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary);
  out << bytes;
}

}  // namespace vorelka::testing
