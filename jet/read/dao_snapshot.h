// A snapshot recordset: the rows of a query's result, copied when the
// recordset opens, with one named column.
#pragma once

#include <string>
#include <vector>

#include "jet/read/dao.h"

namespace vorelka::jet {

class SnapshotRecordset final : public Recordset {
 public:
  SnapshotRecordset(std::string column, std::vector<Value> rows)
      : column_(std::move(column)), rows_(std::move(rows)) {}

  bool Eof() const override;
  Value Fields(std::string_view name) const override;
  void MoveNext() override;
  void Close() override;

 private:
  void RaiseIfClosed() const;

  std::string column_;
  std::vector<Value> rows_;
  size_t position_ = 0;
  bool closed_ = false;
};

}  // namespace vorelka::jet
