#include "jet/read/open_table.h"

#include <cstdio>
#include <memory>

#include "jet/format/data_page.h"
#include "jet/format/jet_errors.h"
#include "jet/format/page.h"
#include "jet/read/query.h"
#include "services/error.h"

namespace vorelka::jet {
namespace {

using format::kPageOwnerOffset;
using format::data::kDeletedRowFlag;
using format::data::kMovedRowFlag;
using format::data::kMovedRowPointerSize;
using format::data::kRowNumberBits;
using format::data::kRowNumberMask;
using format::data::kRowOffsetMask;

// libmdb hands out strings allocated with glib.
struct GFreeDeleter {
  void operator()(char* p) const { g_free(p); }
};
using GString = std::unique_ptr<char, GFreeDeleter>;

}  // namespace

OpenTable::OpenTable(MdbHandle* mdb, MdbCatalogEntry* entry, uint64_t page_count, std::string path,
                     bool with_indexes)
    : mdb_(mdb), page_count_(page_count), path_(std::move(path)) {
  const auto definition_page = static_cast<uint32_t>(entry->table_pg);
  // What libmdb reads without checking is checked first, in the file libmdb
  // has open (jet/file_guard.h).
  guard_ = std::make_unique<FileGuard>(path_, path_);
  guard_->CheckSameFile(fileno(mdb_->f->stream));
  guard_->CheckTable(definition_page);
  LoadPage(definition_page);
  if (mdb_->pg_buf[0] != MDB_PAGE_TABLE) {
    RaiseDamaged("page " + std::to_string(definition_page) + " is not the definition of table '" +
                 entry->object_name + "'");
  }
  // The definition points at the rows holding the table's page maps.
  for (const int offset : {mdb_->fmt->tab_usage_map_offset, mdb_->fmt->tab_free_map_offset}) {
    const auto pointer = static_cast<uint32_t>(mdb_get_int32(mdb_->pg_buf, offset));
    if ((pointer >> kRowNumberBits) >= page_count_) {
      RaiseDamaged("the page map of table '" + std::string(entry->object_name) +
                   "' lies beyond the end of the file");
    }
  }
  table_ = mdb_read_table(entry);
  if (table_ == nullptr)
    RaiseDamaged("the definition of table '" + std::string(entry->object_name) +
                 "' cannot be read");
  if (mdb_read_columns(table_) == nullptr) {
    RaiseDamaged("the columns of table '" + std::string(entry->object_name) + "' cannot be read");
  }
  if (with_indexes) mdb_read_indices(table_);
}

OpenTable::~OpenTable() {
  if (table_ != nullptr) mdb_free_tabledef(table_);
}

std::optional<size_t> OpenTable::FindColumn(std::string_view name) const {
  for (guint i = 0; i < table_->columns->len; ++i) {
    const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table_->columns, i));
    if (SameName(column->name, name)) return i;
  }
  return std::nullopt;
}

void OpenTable::LoadPage(uint32_t page) const {
  if (page >= page_count_) {
    RaiseDamaged("page " + std::to_string(page) + " lies beyond the end of the file");
  }
  if (table_ != nullptr)
    guard_->CheckDataPage(static_cast<uint32_t>(table_->entry->table_pg), page);
  if (mdb_read_pg(mdb_, page) != mdb_->fmt->pg_size) {
    RaiseDamaged("page " + std::to_string(page) + " cannot be read");
  }
}

bool OpenTable::LoadedPageHoldsRows() const {
  return mdb_->pg_buf[0] == MDB_PAGE_DATA &&
         static_cast<uint32_t>(mdb_get_int32(mdb_->pg_buf, kPageOwnerOffset)) ==
             static_cast<uint32_t>(table_->entry->table_pg);
}

uint16_t OpenTable::LoadedRowSlots() const {
  return static_cast<uint16_t>(mdb_get_int16(mdb_->pg_buf, mdb_->fmt->row_count_offset));
}

std::optional<RowLocation> OpenTable::DataOfSlot(uint32_t page, uint16_t row) const {
  const int entry =
      mdb_get_int16(mdb_->pg_buf, mdb_->fmt->row_count_offset + format::data::kRowCountSize +
                                      row * format::data::kRowTableEntrySize);
  if (entry & kDeletedRowFlag) return std::nullopt;
  if (!(entry & kMovedRowFlag)) return RowLocation{page, row};
  // The row grew and moved: its slot keeps a pointer to where it lives now.
  const int start = entry & kRowOffsetMask;
  if (static_cast<size_t>(start) + kMovedRowPointerSize > static_cast<size_t>(mdb_->fmt->pg_size)) {
    return std::nullopt;
  }
  const auto pointer = static_cast<uint32_t>(mdb_get_int32(mdb_->pg_buf, start));
  return RowLocation{pointer >> kRowNumberBits, static_cast<uint16_t>(pointer & kRowNumberMask)};
}

bool OpenTable::CrackRow(const RowLocation& location, RowFields& fields) const {
  LoadPage(location.page);
  guard_->CheckRowOf(static_cast<uint32_t>(table_->entry->table_pg), location.page, location.row);
  if (!LoadedPageHoldsRows() || location.row >= LoadedRowSlots()) return false;
  int start = 0;
  size_t size = 0;
  if (mdb_find_row(mdb_, location.row, &start, &size) != 0 || size == 0) return false;
  fields.resize(table_->num_cols);
  return mdb_crack_row(table_, start & kRowOffsetMask, size, fields.data()) >= 0;
}

bool OpenTable::IsIntegerColumn(size_t column) const {
  const auto* col = static_cast<const MdbColumn*>(g_ptr_array_index(table_->columns, column));
  return col->col_type == MDB_BYTE || col->col_type == MDB_INT || col->col_type == MDB_LONGINT;
}

std::optional<int32_t> OpenTable::IntegerField(const RowFields& fields, size_t column) const {
  const MdbField& field = fields[column];
  if (field.is_null || field.value == nullptr) return std::nullopt;
  const auto* col = static_cast<const MdbColumn*>(g_ptr_array_index(table_->columns, column));
  switch (col->col_type) {
    case MDB_BYTE:
      if (field.siz < 1) return std::nullopt;
      return static_cast<int32_t>(mdb_get_byte(mdb_->pg_buf, field.start));
    case MDB_INT:
      if (field.siz < 2) return std::nullopt;
      return static_cast<int32_t>(static_cast<int16_t>(mdb_get_int16(mdb_->pg_buf, field.start)));
    case MDB_LONGINT:
      if (field.siz < 4) return std::nullopt;
      return static_cast<int32_t>(mdb_get_int32(mdb_->pg_buf, field.start));
    default:
      return std::nullopt;
  }
}

Value OpenTable::FieldValue(const RowFields& fields, size_t column) const {
  const MdbField& field = fields[column];
  auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table_->columns, column));
  // A Yes/No column keeps its value in the null mask: set means Yes.
  if (col->col_type == MDB_BOOL) return Value::Boolean(!field.is_null);
  if (field.is_null) return Value();
  if (IsIntegerColumn(column)) {
    const auto number = IntegerField(fields, column);
    return number ? Value::Long(*number) : Value();
  }
  GString text;
  switch (col->col_type) {
    case MDB_OLE:
    case MDB_COMPLEX:
      return Value();  // objects and attachments have no text
    case MDB_NUMERIC:
      text.reset(mdb_numeric_to_string(mdb_, field.start, col->col_scale, col->col_prec));
      break;
    default:
      text.reset(mdb_col_to_string(mdb_, mdb_->pg_buf, field.start, col->col_type, field.siz));
      break;
  }
  return Value::Text(text ? std::string(text.get()) : std::string());
}

void OpenTable::RaiseDamaged(const std::string& why) const {
  services::Raise(kErrUnrecognizedFormat, "Unrecognized database format '" + path_ +
                                              "': the file is damaged (" + why + ").");
}

}  // namespace vorelka::jet
