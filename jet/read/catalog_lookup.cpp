#include "jet/read/catalog_lookup.h"

#include <cstdio>
#include <optional>

#include "jet/format/catalog_row.h"
#include "jet/format/jet_errors.h"
#include "jet/format/page.h"
#include "jet/read/open_table.h"
#include "jet/read/query.h"
#include "jet/read/row_lookup.h"
#include "services/error.h"

namespace vorelka::jet {
namespace {

using format::kCatalogDefinitionPage;  // the catalog table's definition is always page 2
using format::catalog::kCatalogName;
using format::catalog::kObjectKindMask;  // the Type column's low seven bits: the kind of object
using format::catalog::kObjectPageMask;  // an Id's low three bytes: its definition page

}  // namespace

MdbCatalogEntry FindTableEntry(MdbHandle* mdb, uint64_t page_count, const std::string& path,
                               const std::string& name) {
  MdbCatalogEntry catalog_entry{};
  catalog_entry.mdb = mdb;
  catalog_entry.object_type = MDB_TABLE;
  catalog_entry.table_pg = kCatalogDefinitionPage;
  std::snprintf(catalog_entry.object_name, sizeof catalog_entry.object_name, "%s", kCatalogName.data());

  const OpenTable catalog(mdb, &catalog_entry, page_count, path, /*with_indexes=*/false);
  const auto id = catalog.FindColumn("Id");
  const auto object_name = catalog.FindColumn("Name");
  const auto type = catalog.FindColumn("Type");
  const auto flags = catalog.FindColumn("Flags");
  if (!id || !object_name || !type || !flags || !catalog.IsIntegerColumn(*id) ||
      !catalog.IsIntegerColumn(*type)) {
    catalog.RaiseDamaged("the system catalog lacks its columns");
  }

  std::optional<MdbCatalogEntry> found;
  ForEachRow(catalog, [&](const RowLocation&, const RowFields& fields) {
    if (found) return;
    const auto kind = catalog.IntegerField(fields, *type);
    if (!kind || (*kind & kObjectKindMask) != MDB_TABLE) return;
    const std::string row_name = catalog.FieldValue(fields, *object_name).AsText();
    if (!SameName(row_name, name)) return;
    MdbCatalogEntry entry{};
    entry.mdb = mdb;
    entry.object_type = MDB_TABLE;
    entry.table_pg =
        static_cast<uint32_t>(catalog.IntegerField(fields, *id).value_or(0)) & kObjectPageMask;
    entry.flags = catalog.IntegerField(fields, *flags).value_or(0);
    std::snprintf(entry.object_name, sizeof entry.object_name, "%s", row_name.c_str());
    found = entry;
  });
  if (!found) {
    services::Raise(kErrTableNotFound, "Cannot find the input table or query '" + name +
                                           "'. Make sure it exists and that its name is "
                                           "spelled correctly.");
  }
  return *found;
}

}  // namespace vorelka::jet
