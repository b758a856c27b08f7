// One table of an open database, read through libmdb: its definition, its
// columns, and the rows of its data pages. Every page is checked against
// the file's length before libmdb reads it, so a damaged file is reported
// as such (kErrUnrecognizedFormat) rather than read as a shorter table.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "jet/read/dao.h"
#include "jet/check/file_guard.h"
#include "jet/read/libmdb.h"

namespace vorelka::jet {

// Where a row's data lies: a data page and a slot in its row table.
struct RowLocation {
  uint32_t page = 0;
  uint16_t row = 0;
  bool operator==(const RowLocation&) const = default;
};

// The fields of one row, as libmdb's row cracker lays them out: one per
// column, in the order of MdbTableDef::columns.
using RowFields = std::vector<MdbField>;

class OpenTable {
 public:
  // `path` names the file in error texts; `page_count` is the file's length
  // in pages. Reads the definition and the columns, and the indexes when
  // `with_indexes` (for a lookup that may seek one).
  OpenTable(MdbHandle* mdb, MdbCatalogEntry* entry, uint64_t page_count, std::string path,
            bool with_indexes);
  ~OpenTable();
  OpenTable(const OpenTable&) = delete;
  OpenTable& operator=(const OpenTable&) = delete;

  MdbHandle* mdb() const { return mdb_; }
  MdbTableDef* def() const { return table_; }
  uint64_t page_count() const { return page_count_; }

  // The row count kept in the table definition.
  uint32_t RowCount() const { return table_->num_rows; }

  // The position in MdbTableDef::columns of the named column (names
  // compared as Jet does), or nothing.
  std::optional<size_t> FindColumn(std::string_view name) const;

  // Reads a page into libmdb's page buffer.
  void LoadPage(uint32_t page) const;
  // Whether the loaded page is a data page of this table.
  bool LoadedPageHoldsRows() const;
  // The number of slots in the loaded data page's row table.
  uint16_t LoadedRowSlots() const;

  // Where the row in slot `row` of the loaded page keeps its data: the slot
  // itself, or the overflow row its pointer names; nothing for a deleted or
  // empty slot.
  std::optional<RowLocation> DataOfSlot(uint32_t page, uint16_t row) const;
  // Cracks the row at `location` (loading its page) into `fields`; false for
  // a row whose bytes do not parse.
  bool CrackRow(const RowLocation& location, RowFields& fields) const;

  // The value of one field of a cracked row. Only this column is converted.
  Value FieldValue(const RowFields& fields, size_t column) const;
  // Whether the column holds whole numbers (Byte, Integer, Long).
  bool IsIntegerColumn(size_t column) const;
  // The number in an integer column's field; nothing when it is null.
  std::optional<int32_t> IntegerField(const RowFields& fields, size_t column) const;

  [[noreturn]] void RaiseDamaged(const std::string& why) const;

 private:
  MdbHandle* mdb_;
  MdbTableDef* table_ = nullptr;
  uint64_t page_count_;
  std::string path_;
  std::unique_ptr<FileGuard> guard_;  // checks each page before libmdb reads it
};

}  // namespace vorelka::jet
