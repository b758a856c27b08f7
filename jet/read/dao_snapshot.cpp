#include "jet/read/dao_snapshot.h"

#include "jet/format/jet_errors.h"
#include "jet/read/query.h"
#include "services/error.h"

namespace vorelka::jet {

void SnapshotRecordset::RaiseIfClosed() const {
  if (closed_)
    services::Raise(kErrObjectClosed, "Object invalid or no longer set: the recordset is closed.");
}

bool SnapshotRecordset::Eof() const {
  RaiseIfClosed();
  return position_ >= rows_.size();
}

Value SnapshotRecordset::Fields(std::string_view name) const {
  RaiseIfClosed();
  if (!SameName(name, column_)) {
    services::Raise(kErrItemNotFound,
                    "Item not found in this collection: the recordset has no field '" +
                        std::string(name) + "'.");
  }
  if (position_ >= rows_.size()) services::Raise(kErrNoCurrentRecord, "No current record.");
  return rows_[position_];
}

void SnapshotRecordset::MoveNext() {
  RaiseIfClosed();
  if (position_ >= rows_.size()) services::Raise(kErrNoCurrentRecord, "No current record.");
  ++position_;
}

void SnapshotRecordset::Close() {
  RaiseIfClosed();
  closed_ = true;
  rows_.clear();
}

}  // namespace vorelka::jet
