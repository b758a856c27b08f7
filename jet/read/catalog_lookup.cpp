#include "jet/read/catalog_lookup.h"

#include <optional>

#include "jet/format/catalog_row.h"
#include "jet/format/jet_errors.h"
#include "jet/format/page.h"
#include "jet/read/open_table.h"
#include "jet/read/query.h"
#include "services/error.h"

namespace vorelka::jet {

CatalogEntry FindTable(format::PageFile& file, const std::string& name) {
  using namespace format::catalog;  // NOLINT(google-build-using-namespace)
  const OpenTable catalog(file, format::kCatalogDefinitionPage, std::string(kCatalogName));
  const auto id = catalog.FindColumn("Id");
  const auto object_name = catalog.FindColumn("Name");
  const auto type = catalog.FindColumn("Type");
  if (!id || !object_name || !type || !catalog.IsIntegerColumn(*id) ||
      !catalog.IsIntegerColumn(*type)) {
    catalog.RaiseDamaged("the system catalog lacks its columns");
  }
  std::optional<CatalogEntry> found;
  catalog.ForEachRow([&](const RowLocation&, const Row& row) {
    if (found) return;
    const auto kind = catalog.IntegerField(row, *type);
    if (!kind || (*kind & kObjectKindMask) != kTableType) return;
    std::string row_name = catalog.FieldValue(row, *object_name).AsText();
    if (!SameName(row_name, name)) return;
    const auto object_id = static_cast<uint32_t>(catalog.IntegerField(row, *id).value_or(0));
    found = CatalogEntry{object_id & kObjectPageMask, std::move(row_name)};
  });
  if (!found) {
    services::Raise(kErrTableNotFound, "Cannot find the input table or query '" + name +
                                           "'. Make sure it exists and that its name is "
                                           "spelled correctly.");
  }
  return *found;
}

}  // namespace vorelka::jet
