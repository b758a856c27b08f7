#include "jet/read/open_table.h"

#include "jet/format/bytes.h"
#include "jet/format/decode_data_page.h"
#include "jet/read/field_value.h"
#include "jet/read/query.h"

namespace vorelka::jet {
namespace {

using format::data::kMovedRowPointerSize;

std::string RowName(uint32_t row, uint32_t page) {
  return "row " + std::to_string(row) + " of page " + std::to_string(page);
}

// One key per (table, page) for the file's once-only checks.
uint64_t PageKey(uint32_t definition_page, uint32_t page) {
  return uint64_t{definition_page} << 32 | page;
}

}  // namespace

OpenTable::OpenTable(format::PageFile& file, uint32_t definition_page, std::string name)
    : file_(file),
      definition_(format::DecodeTableDefinition(file, definition_page)),
      owned_pages_(format::UsageMap::Decode(file, definition_.owned_map, definition_page)),
      name_(std::move(name)) {
  format::LocateRow(file, definition_.free_map, "a free-space map pointer");
}

std::optional<size_t> OpenTable::FindColumn(std::string_view name) const {
  for (size_t i = 0; i < definition_.columns.size(); ++i) {
    if (SameName(definition_.columns[i].name, name)) return i;
  }
  return std::nullopt;
}

bool OpenTable::IsIntegerColumn(size_t column) const {
  return IsWholeNumberType(definition_.columns[column].type);
}

format::PageBytes OpenTable::DataPage(uint32_t page_number) const {
  const format::PageBytes page = file_.Page(page_number, "a row pointer");
  if (!format::IsDataPageOf(*page, definition_.page)) return nullptr;
  const uint32_t rows = format::RowCountOf(file_, *page, page_number);
  if (!file_.FirstVisit(PageKey(definition_.page, page_number))) return page;
  // Rows with no mark are read as they stand: each must decode. Marked rows
  // (deleted, moved) are judged only if a pointer leads to them.
  std::vector<format::FieldPlace> fields;
  for (uint32_t row = 0; row < rows; ++row) {
    format::RowSlot slot;
    const bool placed = format::SlotOfRow(file_.layout(), *page, row, slot);
    if (placed && slot.flags != 0) continue;
    if (!placed || slot.size == 0) file_.Fail(RowName(row, page_number) + " lies outside its page");
    format::DecodeRow(file_, definition_, *page, slot.start, slot.size, RowName(row, page_number),
                      fields);
  }
  return page;
}

std::optional<RowLocation> OpenTable::DataOfSlot(uint32_t page_number, uint16_t row) const {
  const format::PageBytes page = DataPage(page_number);
  if (!page || row >= format::RowCountOf(file_, *page, page_number)) return std::nullopt;
  format::RowSlot slot;
  if (!format::SlotOfRow(file_.layout(), *page, row, slot) || slot.deleted() || slot.size == 0) {
    return std::nullopt;
  }
  if (!slot.moved()) return RowLocation{page_number, row};
  // The row grew and moved: its slot keeps a pointer to where it lives now.
  if (slot.size < kMovedRowPointerSize) return std::nullopt;
  const uint32_t pointer = format::GetLe32(*page, slot.start);
  return RowLocation{format::data::PageOfRowPointer(pointer),
                     static_cast<uint16_t>(format::data::RowOfRowPointer(pointer))};
}

std::optional<Row> OpenTable::ReadRow(const RowLocation& location) const {
  if (location.page == 0 || location.page >= file_.page_count()) return std::nullopt;
  Row result;
  result.page = DataPage(location.page);
  if (!result.page || location.row >= format::RowCountOf(file_, *result.page, location.page)) {
    return std::nullopt;
  }
  format::RowSlot slot;
  if (!format::SlotOfRow(file_.layout(), *result.page, location.row, slot) || slot.size == 0) {
    return std::nullopt;
  }
  format::DecodeRow(file_, definition_, *result.page, slot.start, slot.size,
                    RowName(location.row, location.page), result.fields);
  return result;
}

bool OpenTable::ScanReadsPage(uint32_t page) const {
  return page != 0 && page < file_.page_count() && owned_pages_.Contains(file_, page);
}

void OpenTable::ForEachRow(const RowVisitor& visit) const {
  owned_pages_.ForEachPage(file_, [&](uint32_t page_number) {
    const format::PageBytes page = DataPage(page_number);
    if (!page) return;
    const uint32_t rows = format::RowCountOf(file_, *page, page_number);
    for (uint32_t row = 0; row < rows; ++row) {
      const auto location = DataOfSlot(page_number, static_cast<uint16_t>(row));
      if (!location) continue;
      const std::optional<Row> found = ReadRow(*location);
      if (found) visit(*location, *found);
    }
  });
}

std::optional<int32_t> OpenTable::IntegerField(const Row& row, size_t column) const {
  return IntegerValue(definition_.columns[column], row.fields[column], *row.page);
}

Value OpenTable::FieldValue(const Row& row, size_t column) const {
  return ValueOfField(file_, definition_.columns[column], row.fields[column], *row.page);
}

}  // namespace vorelka::jet
