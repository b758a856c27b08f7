#include "tests/writer/second_reader.h"

// glib first: mdbtools.h relies on its types inside its extern "C" block.
#include <glib.h>
#include <iconv.h>
#include <mdbtools.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "jet/format/page_file.h"
#include "jet/format/table_definition.h"
#include "jet/read/catalog_lookup.h"
#include "jet/read/open_table.h"

namespace vorelka::testing {
namespace {

struct HandleCloser {
  void operator()(MdbHandle* h) const { mdb_close(h); }
};
using Handle = std::unique_ptr<MdbHandle, HandleCloser>;
struct TableFreer {
  void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};

bool LeftOut(int type) {
  return type == MDB_OLE || type == MDB_COMPLEX;
}

Handle Open(const std::string& path) {
  Handle mdb(mdb_open(path.c_str(), MDB_NOFLAGS));
  if (!mdb) throw std::runtime_error("libmdb cannot open " + path);
  // libmdb reads Jet 3 text as Western unless told; the header says which.
  if (IS_JET3(mdb.get())) {
    const std::string charset = "CP" + std::to_string(mdb->f->code_page);
    iconv_t in = iconv_open("UTF-8", charset.c_str());
    if (in != reinterpret_cast<iconv_t>(-1)) {
      mdb_iconv_close(mdb.get());
      mdb->iconv_in = in;
      mdb->iconv_out = iconv_open(charset.c_str(), "UTF-8");
    }
  }
  return mdb;
}

}  // namespace

std::vector<std::string> UserTablesByLibmdb(const std::string& path) {
  Handle mdb = Open(path);
  std::vector<std::string> names;
  if (!mdb_read_catalog(mdb.get(), MDB_TABLE)) return names;
  for (unsigned i = 0; i < mdb->num_catalog; ++i) {
    const auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
    if (entry->object_type == MDB_TABLE && !mdb_is_system_table(const_cast<MdbCatalogEntry*>(entry)))
      names.emplace_back(entry->object_name);
  }
  return names;
}

TableText TableByLibmdb(const std::string& path, const std::string& name) {
  Handle mdb = Open(path);
  if (!mdb_read_catalog(mdb.get(), MDB_TABLE)) throw std::runtime_error("no catalog");
  std::unique_ptr<MdbTableDef, TableFreer> table(
      mdb_read_table_by_name(mdb.get(), const_cast<char*>(name.c_str()), MDB_TABLE));
  if (!table || !mdb_read_columns(table.get())) throw std::runtime_error("no table " + name);
  mdb_rewind_table(table.get());
  TableText out;
  std::vector<std::unique_ptr<char[]>> bound;
  std::vector<unsigned> kept;
  for (unsigned i = 0; i < table->num_cols; ++i) {
    auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
    bound.push_back(std::make_unique<char[]>(mdb->bind_size));
    mdb_bind_column(table.get(), static_cast<int>(i) + 1, bound.back().get(), nullptr);
    if (LeftOut(column->col_type)) continue;
    kept.push_back(i);
    out.columns.emplace_back(column->name);
  }
  std::vector<MdbField> fields(table->num_cols);
  while (mdb_fetch_row(table.get())) {
    // The bound text does not tell Null from empty: the row's null mask does.
    int start = 0;
    size_t length = 0;
    std::vector<bool> nulls(table->num_cols, false);
    if (mdb_find_row(mdb.get(), static_cast<int>(table->cur_row) - 1, &start, &length) == 0 &&
        mdb_crack_row(table.get(), start & 0x1FFF, length, fields.data()) >= 0) {
      for (unsigned i = 0; i < table->num_cols; ++i) {
        nulls[fields[i].colnum] = fields[i].is_null != 0;
      }
    }
    std::vector<std::optional<std::string>> row;
    for (const unsigned i : kept) {
      const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
      if (column->col_type == MDB_BOOL) {
        row.emplace_back(nulls[i] ? "0" : "1");
      } else if (nulls[i]) {
        row.emplace_back(std::nullopt);
      } else {
        row.emplace_back(bound[i].get());
      }
    }
    out.rows.push_back(std::move(row));
  }
  return out;
}

TableText TableByEngine(const std::string& path, const std::string& name) {
  jet::format::PageFile file(path);
  const jet::CatalogEntry entry = jet::FindTable(file, name);
  const jet::OpenTable table(file, entry.definition_page, entry.name);
  TableText out;
  std::vector<size_t> kept;
  const auto& columns = table.definition().columns;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (columns[i].type == jet::format::tdef::kOleColumn ||
        columns[i].type == jet::format::tdef::kComplexColumn)
      continue;
    kept.push_back(i);
    out.columns.push_back(columns[i].name);
  }
  table.ForEachRow([&](const jet::RowLocation&, const jet::Row& row) {
    std::vector<std::optional<std::string>> values;
    for (const size_t i : kept) {
      const jet::Value value = table.FieldValue(row, i);
      if (value.kind() == jet::Value::Kind::kBoolean) {
        values.emplace_back(value.AsLong() != 0 ? "1" : "0");
      } else if (value.IsNull()) {
        values.emplace_back(std::nullopt);
      } else {
        values.emplace_back(value.AsText());
      }
    }
    out.rows.push_back(std::move(values));
  });
  return out;
}

void ExpectSameRows(const std::filesystem::path& file, const std::string& table) {
  const TableText by_libmdb = TableByLibmdb(file.string(), table);
  const TableText by_engine = TableByEngine(file.string(), table);
  EXPECT_EQ(by_engine.columns, by_libmdb.columns) << file << " " << table;
  ASSERT_EQ(by_engine.rows.size(), by_libmdb.rows.size()) << file << " " << table;
  for (size_t i = 0; i < by_engine.rows.size(); ++i) {
    ASSERT_EQ(by_engine.rows[i], by_libmdb.rows[i]) << file << " " << table << " row " << i;
  }
}

}  // namespace vorelka::testing
