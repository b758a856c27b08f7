#include <memory>

#include "jet/format/page_file.h"
#include "jet/read/dao.h"
#include "jet/read/dao_database.h"

namespace vorelka::jet {

DBEngine::DBEngine() = default;
DBEngine::~DBEngine() = default;

std::unique_ptr<Database> DBEngine::OpenDatabase(const std::string& path) {
  // Read-only: the file is opened for reading alone, once, with no lock
  // file; every page the database reads comes from this one open file.
  return std::make_unique<JetDatabase>(std::make_unique<format::PageFile>(path));
}

}  // namespace vorelka::jet
