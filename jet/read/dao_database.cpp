#include "jet/read/dao_database.h"

#include <limits>
#include <vector>

#include "jet/format/jet_errors.h"
#include "jet/read/catalog_lookup.h"
#include "jet/read/dao_snapshot.h"
#include "jet/read/row_lookup.h"
#include "services/error.h"

namespace vorelka::jet {
namespace {

[[noreturn]] void RaiseUnknownColumn(const std::string& column, const std::string& table) {
  // The engine takes a name it cannot find for a parameter left unset.
  services::Raise(kErrTooFewParameters, "Too few parameters. Expected 1: '" + column +
                                            "' is not a column of table '" + table + "'.");
}

}  // namespace

JetDatabase::JetDatabase(std::unique_ptr<format::PageFile> file) : file_(std::move(file)) {}

JetDatabase::~JetDatabase() = default;

void JetDatabase::Close() {
  RaiseIfClosed();
  tables_.clear();
  file_.reset();
}

void JetDatabase::RaiseIfClosed() const {
  if (!file_) {
    services::Raise(kErrObjectClosed, "Object invalid or no longer set: the database is closed.");
  }
}

const OpenTable& JetDatabase::Table(const std::string& name) {
  RaiseIfClosed();
  const CatalogEntry entry = FindTable(*file_, name);
  auto& table = tables_[entry.definition_page];
  if (!table) table = std::make_unique<OpenTable>(*file_, entry.definition_page, entry.name);
  return *table;
}

std::unique_ptr<Recordset> JetDatabase::OpenRecordset(std::string_view sql, int type) {
  RaiseIfClosed();
  if (type != kDbOpenSnapshot) {
    services::Raise(kErrInvalidArgument, "Invalid argument: only snapshot recordsets (type " +
                                             std::to_string(kDbOpenSnapshot) +
                                             ") can be opened, not type " + std::to_string(type) +
                                             ".");
  }
  const Query query = ParseQuery(sql);
  switch (query.kind) {
    case Query::Kind::kCountRows:
      return CountRows(query);
    case Query::Kind::kColumnWhereEquals:
      return ColumnWhereEquals(query);
  }
  return nullptr;
}

std::unique_ptr<Recordset> JetDatabase::CountRows(const Query& query) {
  // The definition keeps the count: no row is read.
  const uint32_t rows = Table(query.table).RowCount();
  std::vector<Value> result{Value::Long(static_cast<int32_t>(rows))};
  return std::make_unique<SnapshotRecordset>(query.alias, std::move(result));
}

std::unique_ptr<Recordset> JetDatabase::ColumnWhereEquals(const Query& query) {
  const OpenTable& table = Table(query.table);
  const auto column = table.FindColumn(query.column);
  if (!column) RaiseUnknownColumn(query.column, query.table);
  const auto where = table.FindColumn(query.where_column);
  if (!where) RaiseUnknownColumn(query.where_column, query.table);
  if (!table.IsIntegerColumn(*where)) {
    services::Raise(kErrTypeMismatchInCriteria,
                    "Data type mismatch in criteria expression: column '" + query.where_column +
                        "' of table '" + query.table + "' does not hold whole numbers.");
  }
  std::vector<Value> result;
  for (const RowLocation& location : FindRowsWithLong(table, *where, query.where_value)) {
    const std::optional<Row> row = table.ReadRow(location);
    if (!row) table.RaiseDamaged("a row of table '" + query.table + "' cannot be read");
    result.push_back(table.FieldValue(*row, *column));
  }
  return std::make_unique<SnapshotRecordset>(query.alias, std::move(result));
}

}  // namespace vorelka::jet
