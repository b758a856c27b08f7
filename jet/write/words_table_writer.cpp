#include "jet/write/words_table_writer.h"

#include <algorithm>
#include <iterator>

#include "jet/write/access_rights.h"
#include "jet/write/catalog.h"
#include "jet/write/header_page.h"
#include "jet/write/row_encoder.h"
#include "jet/write/schema_check.h"
#include "jet/write/system_indexes.h"
#include "jet/write/table_definition.h"
#include "jet/write/text_encoding.h"
#include "jet/write/usage_map.h"

namespace vorelka::jet::writer {

using namespace format;  // NOLINT(google-build-using-namespace): the format this writes
namespace {

constexpr uint32_t kNoTableOwner = 0;
// Usage-map pages a file of `pages` pages may need at most: the maps of the
// data pages, the free-space pages and the index pages, each at most one map
// page per span of pages it covers.
uint64_t MapPageReserve(const Format& format, uint64_t pages) {
  return 3 * (pages / format.PagesPerMapPage() + 1);
}

std::string FormatName(const Format& format) {
  return format.id == JetFormat::kJet3 ? "Jet 3" : "Jet 4";
}

std::string SizeText(uint64_t bytes) {
  constexpr const char* kUnits[] = {"bytes", "KiB", "MiB", "GiB"};
  size_t unit = 0;
  while (unit + 1 < std::size(kUnits) && bytes % 1024 == 0 && bytes >= 1024) bytes /= 1024, ++unit;
  return std::to_string(bytes) + " " + kUnits[unit];
}

}  // namespace

WordsTableWriter::WordsTableWriter(std::filesystem::path path, JetFormat format, TableSchema schema)
    : WordsTableWriter(std::move(path), FormatOf(format), std::move(schema)) {}

WordsTableWriter::WordsTableWriter(std::filesystem::path path, const Format& format,
                                   TableSchema schema)
    : format_(format),
      schema_(std::move(schema)),
      path_(std::move(path)),
      page_(format_, kTableDefinitionPage),
      date_(JetDateNow()) {
  std::vector<NewColumn> columns = {{schema_.key_column, ColumnType::kLong}};
  for (const std::string& name : schema_.text_columns) columns.push_back({name, ColumnType::kText});
  layout_ = LayOutColumns(format_, columns);
  if (std::string fault = CheckSchema(format_, schema_); !fault.empty()) {
    Fail(fault);
    return;
  }
  std::string problem;
  file_ = PageFile::Create(path_, format_.page_size, &problem);
  if (!file_) Fail(problem);
}

void WordsTableWriter::Fail(std::string message) {
  if (status_.ok()) status_ = Status::Error(std::move(message));
}

std::string WordsTableWriter::RowName(uint64_t add_number, int32_t id) const {
  return "row " + std::to_string(add_number) + " (Id " + std::to_string(id) + ")";
}

void WordsTableWriter::Add(const WordRow& row) {
  ++add_count_;
  if (!status_.ok()) return;
  if (finished_) {
    Fail("rows cannot be added once the build is finished or abandoned");
    return;
  }
  const size_t text_count = schema_.text_columns.size();
  if (row.texts.size() != text_count) {
    Fail(RowName(add_count_, row.id) + " has " + std::to_string(row.texts.size()) +
         " texts; the table has " + std::to_string(text_count) + " text columns");
    return;
  }
  texts_.resize(text_count);
  thread_local std::vector<Cell> cells;
  cells.assign(text_count + 1, Cell{});
  uint8_t id_bytes[4];
  PutLe32(id_bytes, static_cast<uint32_t>(row.id));
  cells[0] = Cell{id_bytes, sizeof id_bytes, false};
  std::string problem;
  for (size_t i = 0; i < text_count; ++i) {
    if (!row.texts[i]) continue;
    if (!EncodeTextValue(format_, *row.texts[i], &texts_[i], &problem)) {
      Fail(RowName(add_count_, row.id) + ": " + schema_.text_columns[i] + " text " + problem);
      return;
    }
    cells[i + 1] = CellOf(texts_[i]);
  }
  if (!EncodeRow(format_, layout_, cells.data(), &row_, &problem)) {
    Fail(RowName(add_count_, row.id) + " " + problem);
    return;
  }
  if (!page_.Fits(row_.size()) && !FlushDataPage()) return;
  const uint8_t row_number = page_.AddRow(row_.data(), row_.size());
  keys_.push_back(
      {row.id, data::MakeRowPointer(page_number_, row_number), static_cast<uint32_t>(add_count_)});
}

bool WordsTableWriter::CheckPageLimit(uint64_t pages_in_use) {
  if (pages_in_use <= format_.MaxPages()) return true;
  Fail("the file would pass the " + FormatName(format_) + " size limit of " +
       SizeText(format_.max_file_size) + " (" + std::to_string(format_.MaxPages()) + " pages of " +
       std::to_string(format_.page_size) + " bytes)");
  return false;
}

bool WordsTableWriter::WritePage(uint32_t page, const uint8_t* bytes) {
  if (!status_.ok()) return false;
  std::string problem;
  if (!file_->Write(page, bytes, &problem)) {
    Fail(problem);
    return false;
  }
  return true;
}

bool WordsTableWriter::FlushDataPage() {
  const uint64_t pages = uint64_t{page_number_} + 1 + EstimateIndexPages(format_, keys_.size());
  const uint64_t needed = pages + MapPageReserve(format_, pages);
  if (!CheckPageLimit(needed)) return false;
  if (!WritePage(page_number_, page_.bytes())) return false;
  data_pages_.push_back(page_number_++);
  page_.Clear();
  return true;
}

Status WordsTableWriter::Finish() {
  if (finished_) {
    Fail("the build was already finished or abandoned");
    return status_;
  }
  finished_ = true;
  if (status_.ok() && page_.RowCount() > 0) {
    last_page_has_room_ = page_.FreeSpace() > 0 && page_.RowCount() < data::kMaxRowsPerPage;
    FlushDataPage();
  }
  next_page_ = page_number_;
  if (status_.ok() && CheckDuplicateKeys() && WriteIndexAndMaps() && WriteDefinitionsAndCatalog() &&
      WriteGlobalMapsAndHeader()) {
    std::string problem;
    if (!file_->Commit(&problem)) Fail(problem);
  }
  if (!status_.ok() && file_) file_->Discard();
  return status_;
}

void WordsTableWriter::Abandon() {
  if (!finished_) Fail("the build was abandoned");
  finished_ = true;
  if (file_) file_->Discard();
}

bool WordsTableWriter::CheckDuplicateKeys() {
  auto by_key = [](const KeyRecord& a, const KeyRecord& b) { return a.key < b.key; };
  if (!std::is_sorted(keys_.begin(), keys_.end(), by_key)) {
    std::stable_sort(keys_.begin(), keys_.end(), by_key);
  }
  for (size_t i = 1; i < keys_.size(); ++i) {
    if (keys_[i].key == keys_[i - 1].key) {
      Fail("duplicate key " + std::to_string(keys_[i].key) + ": rows " +
           std::to_string(keys_[i - 1].add_number) + " and " + std::to_string(keys_[i].add_number));
      return false;
    }
  }
  return true;
}

bool WordsTableWriter::WriteIndexAndMaps() {
  std::vector<IndexEntry> entries;
  entries.reserve(keys_.size());
  for (const KeyRecord& k : keys_) entries.push_back({k.key, k.row_pointer});
  index_ = BuildIndex(format_, kTableDefinitionPage, entries, next_page_,
                      [this](uint32_t page, const uint8_t* bytes) { WritePage(page, bytes); });
  if (!status_.ok()) return false;
  next_page_ += static_cast<uint32_t>(index_.pages.size());
  if (!CheckPageLimit(next_page_ + MapPageReserve(format_, next_page_))) return false;
  return BuildSystemTables();
}

// The rows of the catalog and of MSysACEs, and the indexes of every system
// table, each a single leaf page.
bool WordsTableWriter::BuildSystemTables() {
  system_tables_ = SystemTables(format_);
  std::string problem;
  catalog_objects_ = CatalogObjects(schema_.table, kTableDefinitionPage);
  if (!BuildCatalogRows(format_, catalog_objects_, date_, &catalog_rows_, &problem)) {
    Fail(problem);
    return false;
  }
  ace_entries_ = AccessControlEntries(kTableDefinitionPage);
  ace_rows_ = BuildAccessControlRows(format_, ace_entries_);
  catalog_index_entries_ = CatalogIndexEntries(format_, catalog_objects_, kCatalogDataPage);
  ace_index_entries_ = AccessControlIndexEntries(ace_entries_, kAccessControlDataPage);
  return true;
}

// Map rows fill kUsageMapRowsPage, then further pages taken as needed.
uint32_t WordsTableWriter::AddUsageMap(const std::vector<uint32_t>& pages) {
  UsageMap map = BuildUsageMap(format_, pages, &next_page_);
  for (const auto& [number, bytes] : map.map_pages) WritePage(number, bytes.data());
  if (map_pages_.empty() || !map_pages_.back().second.Fits(map.row.size())) {
    const uint32_t number = map_pages_.empty() ? kUsageMapRowsPage : next_page_++;
    map_pages_.emplace_back(number, DataPage(format_, kNoTableOwner));
  }
  auto& [number, page] = map_pages_.back();
  return data::MakeRowPointer(number, page.AddRow(map.row.data(), map.row.size()));
}

bool WordsTableWriter::WriteDefinition(uint32_t page, const TableLayout& layout,
                                       const TableFacts& facts) {
  std::string problem;
  std::vector<uint8_t> definition;
  if (!BuildTableDefinition(format_, layout, facts, &definition, &problem)) {
    Fail(problem);
    return false;
  }
  const auto pages = PaginateTableDefinition(format_, definition, next_page_);
  if (!WritePage(page, pages[0].data())) return false;
  for (size_t k = 1; k < pages.size(); ++k) {
    if (!WritePage(next_page_++, pages[k].data())) return false;
  }
  return true;
}

bool WordsTableWriter::WriteDefinitionsAndCatalog() {
  map_pages_.clear();
  std::vector<uint32_t> free_pages;
  if (last_page_has_room_) free_pages.push_back(data_pages_.back());
  TableFacts table;
  table.row_count = static_cast<uint32_t>(keys_.size());
  table.owned_pages_map = AddUsageMap(data_pages_);
  table.free_space_map = AddUsageMap(free_pages);
  table.indexes.push_back({"PrimaryKey",
                           {layout_.columns[0].number},
                           tdef::kUniqueIndexFlag | tdef::kRequiredIndexFlag,
                           /*primary_key=*/true,
                           index_.root_page,
                           AddUsageMap(index_.pages)});
  if (!WriteDefinition(kTableDefinitionPage, layout_, table)) return false;

  for (const SystemTable& system : system_tables_) {
    const std::vector<std::vector<uint8_t>>* rows = nullptr;
    uint32_t data_page = 0;
    if (system.definition_page == kCatalogDefinitionPage) {
      rows = &catalog_rows_, data_page = kCatalogDataPage;
    } else if (system.definition_page == kAccessControlDefinitionPage) {
      rows = &ace_rows_, data_page = kAccessControlDataPage;
    }
    std::vector<uint32_t> pages;
    TableFacts facts;
    facts.system = true;
    if (rows != nullptr) {
      DataPage page(format_, system.definition_page);
      for (const auto& row : *rows) {
        if (!page.Fits(row.size())) {
          Fail("the rows of " + system.name + " do not fit on one page");
          return false;
        }
        page.AddRow(row.data(), row.size());
      }
      if (!WritePage(data_page, page.bytes())) return false;
      pages.push_back(data_page);
      facts.row_count = static_cast<uint32_t>(rows->size());
    }
    facts.owned_pages_map = AddUsageMap(pages);
    facts.free_space_map = AddUsageMap(pages);
    const auto entries = system.definition_page == kCatalogDefinitionPage ? catalog_index_entries_
                         : system.definition_page == kAccessControlDefinitionPage
                             ? ace_index_entries_
                             : std::vector<std::vector<std::string>>{};
    for (size_t k = 0; k < system.indexes.size(); ++k) {
      const IndexShape& shape = system.indexes[k];
      const std::vector<uint8_t> leaf =
          BuildSingleLeaf(format_, system.definition_page,
                          k < entries.size() ? entries[k] : std::vector<std::string>{});
      if (leaf.empty()) {
        Fail("the index " + shape.name + " of " + system.name + " does not fit on one page");
        return false;
      }
      const uint32_t root = next_page_++;
      if (!WritePage(root, leaf.data())) return false;
      facts.indexes.push_back(
          {shape.name, shape.columns, shape.flags, shape.primary_key, root, AddUsageMap({root})});
    }
    if (!WriteDefinition(system.definition_page, system.layout, facts)) return false;
  }

  for (const auto& [number, page] : map_pages_) {
    if (!WritePage(number, page.bytes())) return false;
  }
  return true;
}

bool WordsTableWriter::WriteGlobalMapsAndHeader() {
  const uint32_t page_count = next_page_;
  if (!CheckPageLimit(page_count)) return false;
  // Row 0: pages free for reuse; none inside the file, all past its end.
  std::vector<uint32_t> free_pages;
  for (uint32_t p = page_count; p < format_.map.inline_bitmap_size * 8; ++p)
    free_pages.push_back(p);
  const std::vector<uint8_t> free_map = InlineMapRow(format_, 0, free_pages);
  const std::vector<uint8_t> empty_map = InlineMapRow(format_, 0, {});
  DataPage global(format_, kGlobalUsageMapPage);
  global.AddRow(free_map.data(), free_map.size());
  global.AddRow(empty_map.data(), empty_map.size());
  if (!WritePage(kGlobalUsageMapPage, global.bytes())) return false;

  std::vector<uint8_t> header(format_.page_size);
  WriteHeaderPage(format_, date_, header.data());
  return WritePage(kHeaderPage, header.data());
}

}  // namespace vorelka::jet::writer
