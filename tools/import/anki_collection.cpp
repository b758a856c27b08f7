#include "tools/import/anki_collection.h"

#include <sqlite3.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <algorithm>
#include <memory>

#include "tools/import/import_limits.h"

namespace vorelka::tools {
namespace {

constexpr std::string_view kSqliteMagic{"SQLite format 3\0", 16};
constexpr char kFieldSeparator = '\x1f';
constexpr int kStepsPerCheck = 10000;

// Anki's case-insensitive collation, which its schema names; SQLite refuses
// a table that uses a collation it does not know.
int CompareUnicase(void*, int left_size, const void* left, int right_size, const void* right) {
  const QString a = QString::fromUtf8(static_cast<const char*>(left), left_size);
  const QString b = QString::fromUtf8(static_cast<const char*>(right), right_size);
  return a.compare(b, Qt::CaseInsensitive);
}

int StopRunawayQueries(void* steps) {
  auto* count = static_cast<int64_t*>(steps);
  *count += kStepsPerCheck;
  return *count > kMaxSqliteSteps ? 1 : 0;
}

std::string ColumnText(sqlite3_stmt* statement, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
  return text == nullptr ? std::string()
                         : std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement, column)));
}

class Database {
 public:
  explicit Database(std::string bytes) : bytes_(std::move(bytes)) {}
  ~Database() { sqlite3_close(db_); }
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  std::optional<std::string> Open() {
    if (sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK) {
      return "cannot start SQLite";
    }
    for (const auto& [option, value] :
         {std::pair{SQLITE_DBCONFIG_DEFENSIVE, 1}, std::pair{SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0},
          std::pair{SQLITE_DBCONFIG_ENABLE_TRIGGER, 0}, std::pair{SQLITE_DBCONFIG_ENABLE_VIEW, 0},
          std::pair{SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0}}) {
      sqlite3_db_config(db_, option, value, nullptr);
    }
    sqlite3_limit(db_, SQLITE_LIMIT_LENGTH, 16 * 1024 * 1024);
    sqlite3_limit(db_, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_progress_handler(db_, kStepsPerCheck, StopRunawayQueries, &steps_);
    sqlite3_create_collation(db_, "unicase", SQLITE_UTF8, nullptr, CompareUnicase);
    // A collection left in WAL mode says so in bytes 18 and 19; this copy is
    // private, so it is marked as an ordinary database that SQLite can read
    // from memory.
    if (bytes_.size() >= 20 && bytes_[18] == 2 && bytes_[19] == 2) bytes_[18] = bytes_[19] = 1;
    auto* data = reinterpret_cast<unsigned char*>(bytes_.data());
    const auto size = static_cast<sqlite3_int64>(bytes_.size());
    if (sqlite3_deserialize(db_, "main", data, size, size, SQLITE_DESERIALIZE_READONLY) !=
        SQLITE_OK) {
      return "is not an SQLite database SQLite can read: " + std::string(sqlite3_errmsg(db_));
    }
    if (auto error = Exec("PRAGMA cell_size_check = ON")) return error;
    return Exec("PRAGMA query_only = ON");
  }

  // Runs `sql`, calling on_row for each row; returns a message on failure.
  template <typename OnRow>
  std::optional<std::string> Query(const char* sql, OnRow on_row) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db_, sql, -1, &raw, nullptr) != SQLITE_OK) return Failure();
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
    int rc;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
      if (auto error = on_row(raw)) return error;
    }
    if (rc != SQLITE_DONE) return Failure();
    return std::nullopt;
  }

  std::optional<std::string> Exec(const char* sql) {
    return Query(sql, [](sqlite3_stmt*) { return std::optional<std::string>(); });
  }

  // The names of the database's tables (views and the rest left out).
  std::optional<std::string> ReadTableNames() {
    return Query("SELECT name FROM sqlite_schema WHERE type = 'table'", [&](sqlite3_stmt* row) {
      tables_.push_back(ColumnText(row, 0));
      return std::optional<std::string>();
    });
  }

  bool HasTable(const char* name) const {
    return std::find(tables_.begin(), tables_.end(), name) != tables_.end();
  }

 private:
  std::string Failure() const {
    if (steps_ > kMaxSqliteSteps) return "takes too long to read; it is refused";
    return "cannot be read as an Anki collection: " + std::string(sqlite3_errmsg(db_));
  }

  std::string bytes_;
  std::vector<std::string> tables_;
  sqlite3* db_ = nullptr;
  int64_t steps_ = 0;
};

std::optional<std::string> ReadCurrentNoteTypes(Database& db, AnkiCollection* collection) {
  auto error = db.Query("SELECT id, name FROM notetypes ORDER BY id", [&](sqlite3_stmt* row) {
    collection->note_types.push_back({sqlite3_column_int64(row, 0), ColumnText(row, 1), {}});
    return std::optional<std::string>();
  });
  if (error) return error;
  return db.Query("SELECT ntid, ord, name FROM fields ORDER BY ntid, ord", [&](sqlite3_stmt* row) {
    const int64_t id = sqlite3_column_int64(row, 0);
    auto type = std::find_if(collection->note_types.begin(), collection->note_types.end(),
                             [&](const AnkiNoteType& t) { return t.id == id; });
    if (type != collection->note_types.end()) type->fields.push_back(ColumnText(row, 2));
    return std::optional<std::string>();
  });
}

std::optional<std::string> ReadOlderNoteTypes(Database& db, AnkiCollection* collection) {
  std::string models;
  auto error = db.Query("SELECT models FROM col LIMIT 1", [&](sqlite3_stmt* row) {
    models = ColumnText(row, 0);
    return std::optional<std::string>();
  });
  if (error) return error;
  QJsonParseError parse;
  const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(models), &parse);
  if (!json.isObject()) {
    return "has no readable note types (col.models is not a JSON object: " +
           parse.errorString().toStdString() + ")";
  }
  const QJsonObject object = json.object();
  for (auto it = object.begin(); it != object.end(); ++it) {
    const QJsonObject model = it.value().toObject();
    AnkiNoteType type{it.key().toLongLong(), model.value("name").toString().toStdString(), {}};
    std::vector<std::pair<int, std::string>> fields;
    for (const QJsonValue field : model.value("flds").toArray()) {
      const QJsonObject f = field.toObject();
      fields.emplace_back(f.value("ord").toInt(static_cast<int>(fields.size())),
                          f.value("name").toString().toStdString());
    }
    std::stable_sort(fields.begin(), fields.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& field : fields) type.fields.push_back(std::move(field.second));
    collection->note_types.push_back(std::move(type));
  }
  return std::nullopt;
}

}  // namespace

bool LooksLikeSqlite(std::string_view bytes) {
  return bytes.starts_with(kSqliteMagic);
}

std::optional<std::string> ReadAnkiCollection(std::string database, AnkiCollection* collection) {
  Database db(std::move(database));
  if (auto error = db.Open()) return error;
  if (auto error = db.ReadTableNames()) return error;
  if (!db.HasTable("notes")) return "is not an Anki collection: it has no notes table";
  auto error = db.HasTable("notetypes") ? ReadCurrentNoteTypes(db, collection)
                                        : ReadOlderNoteTypes(db, collection);
  if (error) return error;
  return db.Query("SELECT id, mid, flds FROM notes ORDER BY id", [&](sqlite3_stmt* row) {
    AnkiNote note{sqlite3_column_int64(row, 0), sqlite3_column_int64(row, 1), {}};
    const std::string fields = ColumnText(row, 2);
    size_t start = 0;
    while (true) {
      const size_t end = fields.find(kFieldSeparator, start);
      note.fields.push_back(fields.substr(start, end == std::string::npos ? end : end - start));
      if (end == std::string::npos) break;
      start = end + 1;
    }
    collection->notes.push_back(std::move(note));
    return std::optional<std::string>();
  });
}

}  // namespace vorelka::tools
