#include "seek_files.h"

#include <fstream>
#include <functional>
#include <iterator>

#include "jet/format/decode_index_page.h"
#include "jet/read/catalog_lookup.h"

namespace vorelka::jet::seek_testing {

std::string EnglishOf(int32_t id) {
  return "word " + std::to_string(id);
}

void WriteWords(const std::filesystem::path& path, JetFormat format,
                const std::vector<int32_t>& ids) {
  std::vector<vorelka::testing::Words> rows;
  for (const int32_t id : ids) rows.push_back({id, EnglishOf(id), "слово " + std::to_string(id)});
  vorelka::testing::WriteWords(path, format, rows);
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

namespace {

int32_t DecodeLongKey(std::span<const uint8_t> key) {
  if (key.size() != format::index::kLongKeySize) throw std::runtime_error("not a Long key");
  return static_cast<int32_t>(format::GetBe32(key.data() + 1) ^ 0x80000000u);
}

}  // namespace

IndexShape ShapeOfIdIndex(const OpenedWords& words) {
  const format::TableDefinition& def = words.table().definition();
  format::PageFile& pages = words.table().file();
  const uint32_t owner = def.page;
  const uint16_t id_number = def.columns[words.id_column()].number;
  const format::PhysicalIndex* index = nullptr;
  for (const auto& candidate : def.physical_indexes) {
    if (candidate.columns.size() == 1 && candidate.columns[0].number == id_number) index = &candidate;
  }
  if (index == nullptr) throw std::runtime_error("no unique index on Id");
  IndexShape shape;
  shape.page_size = pages.page_size();
  shape.root = index->root_page;
  std::function<void(uint32_t, int)> visit = [&](uint32_t number, int level) {
    const auto page = format::IndexPage::Read(pages, number, owner);
    if (!page) throw std::runtime_error("index page " + std::to_string(number) + " unreadable");
    shape.depth = std::max(shape.depth, level);
    if (page->leaf()) {
      shape.leaves.push_back(number);
      const auto& entries = page->entries();
      if (!entries.empty()) {
        shape.leaf_bounds.emplace_back(DecodeLongKey(entries.front().key),
                                       DecodeLongKey(entries.back().key));
      }
      return;
    }
    shape.nodes.push_back(number);
    std::vector<uint32_t> children;
    for (const format::IndexEntry& entry : page->entries()) children.push_back(entry.child_page);
    if (page->tail_page() != 0) children.push_back(page->tail_page());
    for (const uint32_t child : children) visit(child, level + 1);
  };
  visit(shape.root, 1);
  return shape;
}

std::vector<uint8_t> ReadPage(const std::filesystem::path& path, uint32_t page_size,
                              uint32_t page) {
  std::ifstream in(path, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(page) * page_size);
  std::vector<uint8_t> bytes(page_size);
  in.read(reinterpret_cast<char*>(bytes.data()), page_size);
  return bytes;
}

void CopyWithPatch(const std::filesystem::path& from, const std::filesystem::path& to,
                   uint32_t page_size, uint32_t page, size_t offset,
                   const std::vector<uint8_t>& bytes) {
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
  std::fstream out(to, std::ios::binary | std::ios::in | std::ios::out);
  out.seekp(static_cast<std::streamoff>(page) * page_size + static_cast<std::streamoff>(offset));
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace vorelka::jet::seek_testing
