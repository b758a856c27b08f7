#include "store/word_store.h"

#include "jet/read/dao.h"
#include "services/error.h"
#include "services/error_report.h"
#include "services/platform.h"

namespace vorelka::store {
namespace {

constexpr char kDatabaseFileName[] = "words.mdb";
constexpr char kCountQuery[] = "SELECT Count(*) AS Cnt FROM Words";
constexpr char kEnglishQuery[] = "SELECT English AS sWord FROM Words WHERE Id = ";
constexpr char kRussianQuery[] = "SELECT Russian AS sWord FROM Words WHERE Id = ";

}  // namespace

WordStore::WordStore(const services::AppFacts& facts, services::MessageBox& box,
                     EngineFactory make_engine)
    : facts_(facts), box_(box), make_engine_(std::move(make_engine)) {}

WordStore::~WordStore() = default;

void WordStore::UseFile(std::string path) {
  file_ = std::move(path);
}

std::string WordStore::CountPath() const {
  if (file_) return *file_;
  // The count adds a separator only where the folder lacks one (the root
  // already ends in one).
  const std::string folder = facts_.Folder();
  if (!folder.empty() && folder.back() == services::kFolderSeparator)
    return folder + kDatabaseFileName;
  return folder + services::kFolderSeparator + kDatabaseFileName;
}

std::string WordStore::LookupPath() const {
  if (file_) return *file_;
  // The lookup always adds one, so the root gives a doubled separator
  // (which the file system reads as one).
  return facts_.Folder() + services::kFolderSeparator + kDatabaseFileName;
}

Engine& WordStore::TheEngine() {
  if (!engine_) {
    engine_ = make_engine_ ? make_engine_() : nullptr;
    if (!engine_) {
      services::Raise(services::kErrCannotCreateObject,
                      "Can't create object: the database engine could not be created.");
    }
  }
  return *engine_;
}

int32_t WordStore::GetWordCount() {
  int32_t result = 0;
  std::unique_ptr<jet::Database> db;
  std::unique_ptr<jet::Recordset> rs;
  try {
    const std::string sql = kCountQuery;
    const std::string path = CountPath();
    Engine& engine = TheEngine();
    db = engine.OpenDatabase(path);
    rs = db->OpenRecordset(sql, jet::kDbOpenSnapshot);
    if (!rs->Eof()) result = rs->Fields("Cnt").AsLong();
    rs->Close();
    db->Close();
  } catch (...) {
    // Reported once; the objects are then let go without being closed, and
    // whatever was read before the failure is kept.
    services::ShowErrorReport(box_, services::CurrentError());
  }
  rs.reset();
  db.reset();
  return result;
}

std::string WordStore::GetWord(int32_t lId, bool bEnglish) {
  std::string result;
  std::unique_ptr<jet::Database> db;
  std::unique_ptr<jet::Recordset> rs;
  try {
    const std::string sql = (bEnglish ? kEnglishQuery : kRussianQuery) + std::to_string(lId);
    Engine& engine = TheEngine();
    const std::string path = LookupPath();
    db = engine.OpenDatabase(path);
    rs = db->OpenRecordset(sql, jet::kDbOpenSnapshot);
    // Only the first row is read; a null word reads as "".
    if (!rs->Eof()) result = "" + rs->Fields("sWord").AsText();
    rs->Close();
    db->Close();
  } catch (...) {
    services::ShowErrorReport(box_, services::CurrentError());
  }
  rs.reset();
  db.reset();
  return result;
}

}  // namespace vorelka::store
