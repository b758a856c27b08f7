// A database opened through libmdb, read-only, and the queries it answers.
#pragma once

#include <memory>
#include <string>

#include "jet/read/dao.h"
#include "jet/check/file_check.h"
#include "jet/read/libmdb.h"
#include "jet/read/query.h"

namespace vorelka::jet {

class OpenTable;

class LibmdbDatabase final : public Database {
 public:
  // Takes ownership of `mdb`. `path` is the name the caller opened.
  LibmdbDatabase(MdbHandle* mdb, JetFileFacts file, std::string path);
  ~LibmdbDatabase() override;

  std::unique_ptr<Recordset> OpenRecordset(std::string_view sql, int type) override;
  void Close() override;

 private:
  void RaiseIfClosed() const;
  std::unique_ptr<Recordset> CountRows(const Query& query);
  std::unique_ptr<Recordset> ColumnWhereEquals(const Query& query);
  [[noreturn]] void RaiseDamaged(const std::string& why) const;

  MdbHandle* mdb_;
  JetFileFacts file_;
  std::string path_;
};

}  // namespace vorelka::jet
