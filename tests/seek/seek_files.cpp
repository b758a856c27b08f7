#include "tests/seek/seek_files.h"

#include "jet/read/catalog_lookup.h"

namespace vorelka::jet::seek_testing {

void WriteWords(const std::filesystem::path& path, JetFormat format,
                const std::vector<int32_t>& ids) {
  testing::WriteWords(path, format, testing::RowsWithKeys(ids));
}

IndexWalk WalkIndex(const std::filesystem::path& path) {
  IndexWalk walk = testing::WalkPrimaryKey(path);
  EXPECT_TRUE(walk.faults.empty()) << walk.faults.front();
  return walk;
}

OpenedWords::OpenedWords(const std::filesystem::path& path)
    : file_(std::make_unique<format::PageFile>(path.string())) {
  const CatalogEntry entry = FindTable(*file_, "Words");
  table_ = std::make_unique<OpenTable>(*file_, entry.definition_page, entry.name);
  id_column_ = table_->FindColumn("Id").value();
  english_column_ = table_->FindColumn("English").value();
}

OpenedWords::~OpenedWords() = default;

std::string OpenedWords::SeekEnglish(int32_t key) const {
  const SeekResult seek = Seek(key);
  if (seek.outcome != SeekOutcome::kFound) return "";
  const std::optional<Row> row = table_->ReadRow({seek.page, seek.row});
  if (!row) return "";
  return table_->FieldValue(*row, english_column_).AsText();
}

}  // namespace vorelka::jet::seek_testing
