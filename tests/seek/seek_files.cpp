#include "seek_files.h"

#include <fstream>
#include <functional>
#include <iterator>

#include "jet/read/index_definitions.h"
#include "jet/read/index_page.h"

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

OpenedWords::OpenedWords(const std::filesystem::path& path) {
  mdb_ = mdb_open(path.c_str(), MDB_NOFLAGS);
  if (mdb_ == nullptr) throw std::runtime_error("libmdb cannot open " + path.string());
  mdb_read_catalog(mdb_, MDB_TABLE);
  MdbCatalogEntry* entry = mdb_get_catalogentry_by_name(mdb_, "Words");
  if (entry == nullptr) throw std::runtime_error("no table Words in " + path.string());
  const uint64_t pages = std::filesystem::file_size(path) / mdb_->fmt->pg_size;
  table_ = std::make_unique<OpenTable>(mdb_, entry, pages, path.string(), false);
  id_column_ = table_->FindColumn("Id").value();
  english_column_ = table_->FindColumn("English").value();
}

OpenedWords::~OpenedWords() {
  table_.reset();
  if (mdb_ != nullptr) mdb_close(mdb_);
}

std::string OpenedWords::SeekEnglish(int32_t key) const {
  const SeekResult seek = Seek(key);
  if (seek.outcome != SeekOutcome::kFound) return "";
  RowFields fields;
  if (!table_->CrackRow({seek.page, seek.row}, fields)) return "";
  return table_->FieldValue(fields, english_column_).AsText();
}

namespace {

int32_t DecodeLongKey(std::span<const uint8_t> key) {
  if (key.size() != format::index::kLongKeySize) throw std::runtime_error("not a Long key");
  return static_cast<int32_t>(format::GetBe32(key.data() + 1) ^ 0x80000000u);
}

}  // namespace

IndexShape ShapeOfIdIndex(const OpenedWords& words) {
  MdbTableDef* def = words.table().def();
  PageSource pages(words.mdb());
  const uint32_t owner = static_cast<uint32_t>(def->entry->table_pg);
  const auto indexes = ReadIndexDefinitions(pages, owner);
  if (!indexes) throw std::runtime_error("index definitions unreadable");
  const auto* id =
      static_cast<const MdbColumn*>(g_ptr_array_index(def->columns, words.id_column()));
  const auto index = FindUniqueSingleColumnIndex(*indexes, static_cast<uint16_t>(id->col_num));
  if (!index) throw std::runtime_error("no unique index on Id");

  IndexShape shape;
  shape.page_size = static_cast<uint32_t>(pages.layout().page_size);
  shape.root = index->root_page;
  std::function<void(uint32_t, int)> visit = [&](uint32_t number, int level) {
    const auto page = IndexPage::Read(pages, number, owner);
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
    for (const IndexEntry& entry : page->entries()) children.push_back(entry.child_page);
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
