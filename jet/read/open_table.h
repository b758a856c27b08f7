// One table of an open database: its definition, the pages its usage map
// names, and its rows. Each data page is checked whole the first time the
// database reads it: every row it places must decode, so that a damaged
// page is reported (kErrUnrecognizedFormat) rather than read as a shorter
// table.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "jet/format/decode_row.h"
#include "jet/format/decode_table_definition.h"
#include "jet/format/decode_usage_map.h"
#include "jet/format/page_file.h"
#include "jet/read/dao.h"

namespace vorelka::jet {

// Where a row's data lies: a data page and a slot in its row table.
struct RowLocation {
  uint32_t page = 0;
  uint16_t row = 0;
  bool operator==(const RowLocation&) const = default;
};

// A decoded row: its page and where each column's value lies in it.
struct Row {
  format::PageBytes page;
  std::vector<format::FieldPlace> fields;  // in the definition's column order
};

class OpenTable {
 public:
  // Reads the definition on `definition_page` and its usage maps; `name`
  // names the table in error texts.
  OpenTable(format::PageFile& file, uint32_t definition_page, std::string name);

  format::PageFile& file() const { return file_; }
  const format::TableDefinition& definition() const { return definition_; }
  const std::string& name() const { return name_; }
  uint32_t RowCount() const { return definition_.row_count; }

  // The position of the named column (names compared as Jet does), or nothing.
  std::optional<size_t> FindColumn(std::string_view name) const;
  // Whether the column holds whole numbers (Byte, Integer, Long).
  bool IsIntegerColumn(size_t column) const;

  // Calls visit for every live row, in storage order: the pages the usage
  // map names, their slots in order, a moved row where its slot points.
  using RowVisitor = std::function<void(const RowLocation&, const Row&)>;
  void ForEachRow(const RowVisitor& visit) const;
  // Whether a scan reads `page`: whether the usage map names it.
  bool ScanReadsPage(uint32_t page) const;
  // Where the row in slot `row` of `page` keeps its data: the slot itself,
  // or where a moved row's pointer leads; nothing for a deleted or empty
  // slot, or a page that holds no rows of this table.
  std::optional<RowLocation> DataOfSlot(uint32_t page, uint16_t row) const;
  // The row at `location`; nothing when no row of this table is there.
  // Raises where the row is damaged.
  std::optional<Row> ReadRow(const RowLocation& location) const;

  // The number in an integer column; nothing when it is Null.
  std::optional<int32_t> IntegerField(const Row& row, size_t column) const;
  // The value of one column of a row, converted as the engine does.
  Value FieldValue(const Row& row, size_t column) const;

  [[noreturn]] void RaiseDamaged(const std::string& why) const { file_.Fail(why); }

 private:
  // The page if it is a data page of this table, checked on first use.
  format::PageBytes DataPage(uint32_t page) const;

  format::PageFile& file_;
  format::TableDefinition definition_;
  format::UsageMap owned_pages_;
  std::string name_;
};

}  // namespace vorelka::jet
