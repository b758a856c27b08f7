#include "jet/write/words_table_writer.h"

#include <algorithm>
#include <iterator>

#include "jet/write/header_page.h"
#include "jet/write/schema_check.h"
#include "jet/write/table_definition.h"
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
      encoder_(format_, schema_),
      date_(JetDateNow()) {
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

void WordsTableWriter::Add(const WordRow& row) {
  ++add_count_;
  if (!status_.ok()) return;
  if (finished_) {
    Fail("rows cannot be added once the build is finished or abandoned");
    return;
  }
  std::string problem;
  if (!encoder_.Encode(row, &problem)) {
    Fail(jet::RowName(add_count_, row.id) + ": " + problem);
    return;
  }
  const std::vector<uint8_t>& bytes = encoder_.bytes();
  if (!page_.Fits(bytes.size()) && !FlushDataPage()) return;
  const uint8_t row_number = page_.AddRow(bytes.data(), bytes.size());
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

// The steps take the numbers of the pages they add from next_page_ in turn,
// so their order fixes the file's layout; each runs only while the build is
// sound.
Status WordsTableWriter::Finish() {
  if (finished_) {
    Fail("the build was already finished or abandoned");
    return status_;
  }
  finished_ = true;
  if (ok()) WriteLastDataPage();
  if (ok()) CheckDuplicateKeys();
  if (ok()) WriteTableIndex();
  if (ok()) BuildSystemTables();
  if (ok()) WriteTableDefinition();
  for (const SystemTable& table : system_tables_) {
    if (ok()) WriteSystemTable(table);
  }
  if (ok()) WriteUsageMapRows();
  if (ok()) WriteGlobalUsageMaps();
  if (ok()) WriteHeader();
  if (ok()) CommitFile();
  if (!ok() && file_) file_->Discard();
  return status_;
}

void WordsTableWriter::Abandon() {
  if (!finished_) Fail("the build was abandoned");
  finished_ = true;
  if (file_) file_->Discard();
}

void WordsTableWriter::WriteLastDataPage() {
  if (page_.RowCount() > 0) {
    last_page_has_room_ = page_.FreeSpace() > 0 && page_.RowCount() < data::kMaxRowsPerPage;
    if (!FlushDataPage()) return;
  }
  next_page_ = page_number_;
}

// Sorts the keys for the index, stably, so that rows keep their Add order
// in the message about a repeated key.
void WordsTableWriter::CheckDuplicateKeys() {
  auto by_key = [](const KeyRecord& a, const KeyRecord& b) { return a.key < b.key; };
  if (!std::is_sorted(keys_.begin(), keys_.end(), by_key)) {
    std::stable_sort(keys_.begin(), keys_.end(), by_key);
  }
  for (size_t i = 1; i < keys_.size(); ++i) {
    if (keys_[i].key == keys_[i - 1].key) {
      Fail("duplicate key " + std::to_string(keys_[i].key) + ": rows " +
           std::to_string(keys_[i - 1].add_number) + " and " + std::to_string(keys_[i].add_number));
      return;
    }
  }
}

// The primary-key index, right after the data pages.
void WordsTableWriter::WriteTableIndex() {
  std::vector<IndexEntry> entries;
  entries.reserve(keys_.size());
  for (const KeyRecord& k : keys_) entries.push_back({k.key, k.row_pointer});
  index_ = BuildIndex(format_, kTableDefinitionPage, entries, next_page_,
                      [this](uint32_t page, const uint8_t* bytes) { WritePage(page, bytes); });
  if (!ok()) return;
  next_page_ += static_cast<uint32_t>(index_.pages.size());
  CheckPageLimit(next_page_ + MapPageReserve(format_, next_page_));
}

void WordsTableWriter::BuildSystemTables() {
  std::string problem;
  if (!MakeSystemTables(format_, schema_.table, kTableDefinitionPage, date_, &system_tables_,
                        &problem)) {
    Fail(problem);
  }
}

// The user's table: its data pages, the last of them free for more rows if
// it has room, and its primary key.
void WordsTableWriter::WriteTableDefinition() {
  std::vector<uint32_t> free_pages;
  if (last_page_has_room_) free_pages.push_back(data_pages_.back());
  TableFacts facts;
  facts.row_count = static_cast<uint32_t>(keys_.size());
  facts.owned_pages_map = AddUsageMap(data_pages_);
  facts.free_space_map = AddUsageMap(free_pages);
  facts.indexes.push_back({"PrimaryKey",
                           {encoder_.layout().columns[0].number},
                           tdef::kUniqueIndexFlag | tdef::kRequiredIndexFlag,
                           /*primary_key=*/true,
                           index_.root_page,
                           AddUsageMap(index_.pages)});
  WriteDefinition(kTableDefinitionPage, encoder_.layout(), facts);
}

// A system table: its data page, if it has rows, owned and with space free;
// one leaf page per index; then its definition.
void WordsTableWriter::WriteSystemTable(const SystemTable& table) {
  TableFacts facts;
  facts.system = true;
  std::vector<uint32_t> pages;
  if (table.data_page != 0) {
    if (!WriteRowsPage(table)) return;
    pages.push_back(table.data_page);
    facts.row_count = static_cast<uint32_t>(table.rows.size());
  }
  facts.owned_pages_map = AddUsageMap(pages);
  facts.free_space_map = AddUsageMap(pages);
  for (size_t k = 0; k < table.indexes.size(); ++k) {
    const IndexShape& shape = table.indexes[k];
    const std::vector<uint8_t> leaf =
        BuildSingleLeaf(format_, table.definition_page, table.index_entries[k]);
    if (leaf.empty()) {
      Fail("the index " + shape.name + " of " + table.name + " does not fit on one page");
      return;
    }
    const uint32_t root = next_page_++;
    if (!WritePage(root, leaf.data())) return;
    facts.indexes.push_back(
        {shape.name, shape.columns, shape.flags, shape.primary_key, root, AddUsageMap({root})});
  }
  WriteDefinition(table.definition_page, table.layout, facts);
}

// The pages of usage-map rows that AddUsageMap filled.
void WordsTableWriter::WriteUsageMapRows() {
  for (const auto& [number, page] : map_pages_) {
    if (!WritePage(number, page.bytes())) return;
  }
}

void WordsTableWriter::WriteGlobalUsageMaps() {
  const uint32_t page_count = next_page_;
  if (!CheckPageLimit(page_count)) return;
  // Row 0: pages free for reuse; none inside the file, all past its end.
  std::vector<uint32_t> free_pages;
  for (uint32_t p = page_count; p < format_.map.inline_bitmap_size * 8; ++p)
    free_pages.push_back(p);
  const std::vector<uint8_t> free_map = InlineMapRow(format_, 0, free_pages);
  const std::vector<uint8_t> empty_map = InlineMapRow(format_, 0, {});
  DataPage global(format_, kGlobalUsageMapPage);
  global.AddRow(free_map.data(), free_map.size());
  global.AddRow(empty_map.data(), empty_map.size());
  WritePage(kGlobalUsageMapPage, global.bytes());
}

void WordsTableWriter::WriteHeader() {
  std::vector<uint8_t> header(format_.page_size);
  WriteHeaderPage(format_, date_, header.data());
  WritePage(kHeaderPage, header.data());
}

void WordsTableWriter::CommitFile() {
  std::string problem;
  if (!file_->Commit(&problem)) Fail(problem);
}

// Map rows fill kUsageMapRowsPage, then further pages taken as needed.
uint32_t WordsTableWriter::AddUsageMap(const std::vector<uint32_t>& pages) {
  std::optional<UsageMap> built = BuildUsageMap(format_, pages, &next_page_);
  if (!built) {
    Fail("the table needs more pages than a usage map can name");
    return 0;
  }
  const UsageMap& map = *built;
  for (const auto& [number, bytes] : map.map_pages) WritePage(number, bytes.data());
  if (map_pages_.empty() || !map_pages_.back().second.Fits(map.row.size())) {
    const uint32_t number = map_pages_.empty() ? kUsageMapRowsPage : next_page_++;
    map_pages_.emplace_back(number, DataPage(format_, kNoTableOwner));
  }
  auto& [number, page] = map_pages_.back();
  return data::MakeRowPointer(number, page.AddRow(map.row.data(), map.row.size()));
}

bool WordsTableWriter::WriteRowsPage(const SystemTable& table) {
  DataPage page(format_, table.definition_page);
  for (const auto& row : table.rows) {
    if (!page.Fits(row.size())) {
      Fail("the rows of " + table.name + " do not fit on one page");
      return false;
    }
    page.AddRow(row.data(), row.size());
  }
  return WritePage(table.data_page, page.bytes());
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

}  // namespace vorelka::jet::writer
