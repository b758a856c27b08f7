#include "jet/read/dao_database.h"

#include <limits>
#include <vector>

#include "jet/read/catalog_lookup.h"
#include "jet/read/dao_snapshot.h"
#include "jet/format/jet_errors.h"
#include "jet/read/open_table.h"
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

LibmdbDatabase::LibmdbDatabase(MdbHandle* mdb, JetFileFacts file, std::string path)
    : mdb_(mdb), file_(std::move(file)), path_(std::move(path)) {}

LibmdbDatabase::~LibmdbDatabase() {
  if (mdb_ != nullptr) mdb_close(mdb_);
}

void LibmdbDatabase::Close() {
  RaiseIfClosed();
  mdb_close(mdb_);
  mdb_ = nullptr;
}

void LibmdbDatabase::RaiseIfClosed() const {
  if (mdb_ == nullptr) {
    services::Raise(kErrObjectClosed, "Object invalid or no longer set: the database is closed.");
  }
}

void LibmdbDatabase::RaiseDamaged(const std::string& why) const {
  services::Raise(kErrUnrecognizedFormat, "Unrecognized database format '" + path_ +
                                              "': the file is damaged (" + why + ").");
}

std::unique_ptr<Recordset> LibmdbDatabase::OpenRecordset(std::string_view sql, int type) {
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

std::unique_ptr<Recordset> LibmdbDatabase::CountRows(const Query& query) {
  MdbCatalogEntry entry = FindTableEntry(mdb_, file_.page_count, path_, query.table);
  const OpenTable table(mdb_, &entry, file_.page_count, path_, /*with_indexes=*/false);
  // The definition keeps the count: no row is read.
  const uint32_t rows = table.RowCount();
  if (rows > static_cast<uint32_t>(std::numeric_limits<int32_t>::max())) {
    RaiseDamaged("table '" + query.table + "' claims " + std::to_string(rows) + " rows");
  }
  std::vector<Value> result{Value::Long(static_cast<int32_t>(rows))};
  return std::make_unique<SnapshotRecordset>(query.alias, std::move(result));
}

std::unique_ptr<Recordset> LibmdbDatabase::ColumnWhereEquals(const Query& query) {
  MdbCatalogEntry entry = FindTableEntry(mdb_, file_.page_count, path_, query.table);
  // The lookup's index seek reads the index definitions itself; libmdb's
  // reading of them would go unused.
  const OpenTable table(mdb_, &entry, file_.page_count, path_, /*with_indexes=*/false);
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
  RowFields fields;
  for (const RowLocation& location : FindRowsWithLong(table, *where, query.where_value)) {
    if (!table.CrackRow(location, fields))
      RaiseDamaged("a row of table '" + query.table + "' cannot be read");
    result.push_back(table.FieldValue(fields, *column));
  }
  return std::make_unique<SnapshotRecordset>(query.alias, std::move(result));
}

}  // namespace vorelka::jet
