// A database: one file opened once, read-only, and the queries it answers.
// The tables a query opens are kept for the database's life, so that no
// structure of the file is read and checked twice.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "jet/format/page_file.h"
#include "jet/read/dao.h"
#include "jet/read/open_table.h"
#include "jet/read/query.h"

namespace vorelka::jet {

class JetDatabase final : public Database {
 public:
  explicit JetDatabase(std::unique_ptr<format::PageFile> file);
  ~JetDatabase() override;

  std::unique_ptr<Recordset> OpenRecordset(std::string_view sql, int type) override;
  void Close() override;

  // The user table `name`; raises kErrTableNotFound when there is none.
  const OpenTable& Table(const std::string& name);

 private:
  void RaiseIfClosed() const;
  std::unique_ptr<Recordset> CountRows(const Query& query);
  std::unique_ptr<Recordset> ColumnWhereEquals(const Query& query);

  std::unique_ptr<format::PageFile> file_;
  std::map<uint32_t, std::unique_ptr<OpenTable>> tables_;  // by definition page
};

}  // namespace vorelka::jet
