// Reads a whole word table through libmdb: the key and the two words, with
// each row's null mask read as well, since libmdb's bound values do not
// tell Null from empty text.
#include "jet/read/dao.h"

// glib first: mdbtools.h relies on its types.
#include <glib.h>
#include <mdbtools.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "jet/check/file_guard.h"
#include "jet/format/data_page.h"
#include "services/error.h"
#include "services/error_report.h"

namespace vorelka::jet {
namespace {

constexpr const char* kColumnNames[] = {"Id", "English", "Russian"};
constexpr int kColumns = 3;

struct HandleCloser {
  void operator()(MdbHandle* h) const { mdb_close(h); }
};
struct TableFreer {
  void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};

bool IsWholeNumberType(int type) {
  return type == MDB_BYTE || type == MDB_INT || type == MDB_LONGINT;
}

}  // namespace

bool ReadWordTable(const std::string& path, const std::string& table_name, WordTable* out,
                   std::string* problem) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    *problem = "cannot open " + path + ": no such file";
    return false;
  }
  // libmdb trusts what it reads: the guard holds the catalog, the table and
  // every row to the format before libmdb sees them, so a damaged file is
  // a message here, never a crash or a hang.
  std::unique_ptr<FileGuard> guard;
  std::unique_ptr<MdbHandle, HandleCloser> mdb;
  std::unique_ptr<MdbTableDef, TableFreer> table;
  try {
    guard = std::make_unique<FileGuard>(path, path);
    mdb.reset(mdb_open(path.c_str(), MDB_NOFLAGS));
    if (!mdb) {
      *problem = "cannot open " + path + ": not a Jet database";
      return false;
    }
    guard->CheckSameFile(fileno(mdb->f->stream));
    guard->CheckCatalog();
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE)) {
      *problem = "cannot read the catalog of " + path;
      return false;
    }
    MdbCatalogEntry* entry = nullptr;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
      auto* candidate = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
      if (candidate->object_type == MDB_TABLE &&
          g_ascii_strcasecmp(candidate->object_name, table_name.c_str()) == 0) {
        entry = candidate;
        break;
      }
    }
    if (!entry) {
      *problem = path + " has no table " + table_name;
      return false;
    }
    guard->CheckTable(static_cast<uint32_t>(entry->table_pg));
    guard->CheckAllRows(static_cast<uint32_t>(entry->table_pg));
    table.reset(mdb_read_table(entry));
  } catch (const services::ErrorRaised& raised) {
    *problem = services::FormatErrorReport(raised.error());
    return false;
  }
  if (!table) {
    *problem = path + " has no table " + table_name;
    return false;
  }
  if (!mdb_read_columns(table.get())) {
    *problem = "cannot read the columns of " + table_name;
    return false;
  }
  mdb_rewind_table(table.get());

  std::vector<std::unique_ptr<char[]>> bound(kColumns);
  int positions[kColumns];  // index into table->columns
  for (int c = 0; c < kColumns; ++c) {
    bound[c] = std::make_unique<char[]>(mdb->bind_size);
    std::string column_name = kColumnNames[c];
    const int number =
        mdb_bind_column_by_name(table.get(), column_name.data(), bound[c].get(), nullptr);
    if (number < 1) {
      *problem = "table " + table_name + " has no column " + kColumnNames[c];
      return false;
    }
    positions[c] = number - 1;
  }
  auto* id_column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, positions[0]));
  if (!IsWholeNumberType(id_column->col_type)) {
    *problem = "column Id of " + table_name + " does not hold whole numbers";
    return false;
  }

  std::vector<MdbField> fields(table->num_cols);
  out->rows.clear();
  while (mdb_fetch_row(table.get())) {
    int start = 0;
    size_t length = 0;
    bool nulls[kColumns] = {false, false, false};
    if (mdb_find_row(mdb.get(), static_cast<int>(table->cur_row) - 1, &start, &length) == 0 &&
        mdb_crack_row(table.get(), start & format::data::kRowOffsetMask, length, fields.data()) >= 0) {
      for (int c = 0; c < kColumns; ++c) nulls[c] = fields[positions[c]].is_null != 0;
    }
    StoredWord word;
    if (!nulls[0]) {
      const char* text = bound[0].get();
      int32_t value = 0;
      auto [end, err] = std::from_chars(text, text + std::strlen(text), value);
      if (err == std::errc()) word.id = value;
    }
    if (!nulls[1]) word.english = bound[1].get();
    if (!nulls[2]) word.russian = bound[2].get();
    out->rows.push_back(std::move(word));
  }
  return true;
}

}  // namespace vorelka::jet
