#include "jet/check/file_guard.h"

#include <sys/stat.h>

#include "jet/check/data_page.h"
#include "jet/check/long_value.h"
#include "jet/check/page_source.h"
#include "jet/check/properties.h"
#include "jet/check/row.h"
#include "jet/check/table_definition.h"
#include "jet/check/usage_map.h"
#include "jet/format/catalog_row.h"

namespace vorelka::jet {
namespace {

using namespace format;  // NOLINT(google-build-using-namespace): the format checked

using guard::FieldPlace;
using guard::RowVerdict;
using guard::SlotExtent;

std::string RowName(uint32_t row, uint32_t page) {
  return "row " + std::to_string(row) + " of page " + std::to_string(page);
}

}  // namespace

FileGuard::FileGuard(const std::string& open_path, std::string shown_path)
    : source_(std::make_unique<guard::PageSource>(open_path, std::move(shown_path))) {}

FileGuard::FileGuard(std::vector<uint8_t> bytes, std::string shown_path)
    : source_(std::make_unique<guard::PageSource>(std::move(bytes), std::move(shown_path))) {}

FileGuard::~FileGuard() = default;

const guard::TableLayout& FileGuard::Table(uint32_t definition_page) {
  auto found = tables_.find(definition_page);
  if (found == tables_.end()) {
    // The definition itself, then the usage maps it names.
    auto layout = std::make_unique<guard::TableLayout>(
        guard::CheckTableDefinition(*source_, definition_page));
    guard::CheckUsageMaps(*source_, *layout);
    found = tables_.emplace(definition_page, std::move(layout)).first;
  }
  return *found->second;
}

void FileGuard::CheckTable(uint32_t definition_page) {
  Table(definition_page);
}

void FileGuard::CheckCatalog() {
  const guard::TableLayout& catalog = Table(kCatalogDefinitionPage);
  const int properties = catalog.FindColumn(catalog::kPropertiesColumn);
  if (properties >= 0 && catalog.columns[properties].type != tdef::kOleColumn) {
    source_->Fail("the catalog's property column is not an OLE column");
  }
  const format::Format& layout = source_->layout();
  std::vector<FieldPlace> fields;
  std::string why;
  guard::ForEachMappedPage(*source_, catalog, [&](uint32_t page_number) {
    const guard::PageBytes page = source_->Page(page_number, "the catalog's usage map");
    if (!guard::IsDataPageOf(*page, kCatalogDefinitionPage)) return;
    const uint32_t slots = guard::CheckRowCount(*source_, *page, page_number);
    // As mdb_fetch_row: each row the row table places, but those marked as
    // moved (our reader follows them; libmdb's row fetcher skips them); rows it cannot crack are skipped (a loss only for rows that
    // carry no mark at all).
    for (uint32_t row = 0; row < slots; ++row) {
      SlotExtent slot;
      if (!guard::SlotOfRow(layout, *page, row, slot) || slot.size == 0) continue;
      if (slot.flags & data::kMovedRowFlag) continue;
      const RowVerdict verdict =
          guard::CheckRow(*source_, catalog, *page, slot.start, slot.size, fields, why);
      if (verdict == RowVerdict::kMisleading ||
          (verdict != RowVerdict::kSound && slot.flags == 0)) {
        source_->Fail(RowName(row, page_number) + " of the catalog: " + why);
      }
      if (verdict != RowVerdict::kSound || properties < 0) continue;
      const FieldPlace& value = fields[properties];
      if (!value.present || value.is_null) continue;
      const auto bytes = std::span(*page).subspan(value.start, value.size);
      guard::CheckPropertyBlocks(*source_, guard::ReadOleValue(*source_, bytes));
    }
  });
}

void FileGuard::CheckDataPage(uint32_t definition_page, uint32_t page_number) {
  const auto key = std::make_pair(definition_page, page_number);
  if (checked_pages_.contains(key)) return;
  const guard::TableLayout& table = Table(definition_page);
  const guard::PageBytes page = source_->Page(page_number, "a row pointer");
  if (!guard::IsDataPageOf(*page, definition_page)) {
    checked_pages_[key] = false;
    return;
  }
  const format::Format& layout = source_->layout();
  const uint32_t slots = guard::CheckRowCount(*source_, *page, page_number);
  // Rows with no mark are read as they stand: each must crack soundly.
  // Marked rows (deleted, moved) are judged only if a pointer leads to them.
  std::vector<FieldPlace> fields;
  std::string why;
  for (uint32_t row = 0; row < slots; ++row) {
    if (guard::RowFlags(layout, *page, row) != 0) continue;
    SlotExtent slot;
    if (!guard::SlotOfRow(layout, *page, row, slot) || slot.size == 0) {
      source_->Fail(RowName(row, page_number) + " lies outside its page");
    }
    if (guard::CheckRow(*source_, table, *page, slot.start, slot.size, fields, why) !=
        RowVerdict::kSound) {
      source_->Fail(RowName(row, page_number) + ": " + why);
    }
  }
  checked_pages_[key] = true;
}

void FileGuard::CheckRowOf(uint32_t definition_page, uint32_t page_number, uint32_t row) {
  CheckDataPage(definition_page, page_number);
  if (!checked_pages_[std::make_pair(definition_page, page_number)]) return;
  const guard::PageBytes page = source_->Page(page_number, "a row pointer");
  const format::Format& layout = source_->layout();
  SlotExtent slot;
  if (row >= GetLe16(*page, layout.data.row_count_offset) ||
      !guard::SlotOfRow(layout, *page, row, slot) || slot.size == 0 || slot.flags == 0) {
    return;  // not found (the reader skips it) or checked with its page
  }
  // A marked row reached through a pointer (a row that moved) must be as
  // sound as any other: a pointer to a row libmdb cannot read is damage.
  std::vector<FieldPlace> fields;
  std::string why;
  if (guard::CheckRow(*source_, Table(definition_page), *page, slot.start, slot.size, fields,
                      why) != RowVerdict::kSound) {
    source_->Fail(RowName(row, page_number) + ": " + why);
  }
}

void FileGuard::CheckAllRows(uint32_t definition_page) {
  const guard::TableLayout& table = Table(definition_page);
  guard::ForEachMappedPage(*source_, table,
                           [&](uint32_t page) { CheckDataPage(definition_page, page); });
}

void FileGuard::CheckSameFile(int fd) const {
  struct stat info {};
  if (::fstat(fd, &info) != 0) source_->Fail("the file cannot be examined");
  const guard::PageSource::Identity seen{
      static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino),
      static_cast<uint64_t>(info.st_size),
      static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
  if (!(seen == source_->identity())) source_->Fail("the file changed while it was being read");
}

}  // namespace vorelka::jet
