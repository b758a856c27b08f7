// Reads a whole word table: the key and the two words of every row, Null
// kept apart from empty text.
#include "jet/format/jet_errors.h"
#include "jet/read/dao.h"
#include "jet/read/dao_database.h"
#include "jet/read/field_value.h"
#include "services/error.h"

namespace vorelka::jet {

WordTable ReadWordTable(const std::string& path, const std::string& table_name) {
  JetDatabase database(std::make_unique<format::PageFile>(path));
  const OpenTable& table = database.Table(table_name);
  size_t columns[3];
  const char* names[3] = {"Id", "English", "Russian"};
  for (int c = 0; c < 3; ++c) {
    const auto found = table.FindColumn(names[c]);
    if (!found) {
      services::Raise(kErrItemNotFound, "Item not found in this collection: table '" +
                                            table.name() + "' has no column '" + names[c] + "'.");
    }
    columns[c] = *found;
  }
  if (!table.IsIntegerColumn(columns[0])) {
    services::Raise(kErrTypeMismatch, "Type mismatch: column 'Id' of table '" + table.name() +
                                          "' does not hold whole numbers.");
  }
  WordTable out;
  table.ForEachRow([&](const RowLocation&, const Row& row) {
    StoredWord word;
    word.id = table.IntegerField(row, columns[0]);
    for (int c = 1; c < 3; ++c) {
      const Value value = table.FieldValue(row, columns[c]);
      if (!value.IsNull()) (c == 1 ? word.english : word.russian) = value.AsText();
    }
    out.rows.push_back(std::move(word));
  });
  return out;
}

}  // namespace vorelka::jet
