#include "test_databases.h"

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace vorelka::store::testing {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vorelka-store-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot make a temporary folder";
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ec;
  // Undo any permission change a test made, so that everything can go.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
  }
  std::filesystem::remove_all(path_, ec);
}

void WriteWords(const std::filesystem::path& path, const std::vector<Pair>& pairs,
                jet::JetFormat format, jet::TableSchema schema) {
  const size_t columns = schema.text_columns.size();
  jet::WordsTableBuilder builder(path, format, std::move(schema));
  for (const Pair& pair : pairs) {
    jet::WordRow row{pair.id, {pair.english, pair.russian}};
    row.texts.resize(columns);
    builder.Add(row);
  }
  const jet::Status status = builder.Finish();
  ASSERT_TRUE(status.ok()) << status.message();
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<Pair> NumberedPairs(int32_t count) {
  std::vector<Pair> pairs;
  pairs.reserve(static_cast<size_t>(count));
  for (int32_t id = 1; id <= count; ++id) {
    pairs.push_back({id, "english " + std::to_string(id), "russian " + std::to_string(id)});
  }
  return pairs;
}

}  // namespace vorelka::store::testing
