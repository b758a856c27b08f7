#include "tests/import/anki_package_maker.h"

#include <sqlite3.h>
#include <zip.h>
#include <zstd.h>

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

namespace vorelka::testing {
namespace {

// The tables the importer reads, with their columns as Anki's schema 11
// has them.
constexpr const char* kOlderSchema = R"(
CREATE TABLE col (id integer PRIMARY KEY, crt integer NOT NULL, mod integer NOT NULL,
  scm integer NOT NULL, ver integer NOT NULL, dty integer NOT NULL, usn integer NOT NULL,
  ls integer NOT NULL, conf text NOT NULL, models text NOT NULL, decks text NOT NULL,
  dconf text NOT NULL, tags text NOT NULL);
CREATE TABLE notes (id integer PRIMARY KEY, guid text NOT NULL, mid integer NOT NULL,
  mod integer NOT NULL, usn integer NOT NULL, tags text NOT NULL, flds text NOT NULL,
  sfld integer NOT NULL, csum integer NOT NULL, flags integer NOT NULL, data text NOT NULL);
)";

// Schema 18's note types and their fields, in tables of their own and named
// under Anki's own collation.
constexpr const char* kCurrentTables = R"(
CREATE TABLE fields (ntid integer NOT NULL, ord integer NOT NULL, name text NOT NULL COLLATE unicase,
  config blob NOT NULL, PRIMARY KEY (ntid, ord)) WITHOUT ROWID;
CREATE UNIQUE INDEX idx_fields_name_ntid ON fields (name, ntid);
CREATE TABLE notetypes (id integer NOT NULL PRIMARY KEY, name text NOT NULL COLLATE unicase,
  mtime_secs integer NOT NULL, usn integer NOT NULL, config blob NOT NULL);
CREATE UNIQUE INDEX idx_notetypes_name ON notetypes (name);
)";

int Unicase(void*, int a_size, const void* a, int b_size, const void* b) {
  return QString::fromUtf8(static_cast<const char*>(a), a_size)
      .compare(QString::fromUtf8(static_cast<const char*>(b), b_size), Qt::CaseInsensitive);
}

void Exec(sqlite3* db, const std::string& sql) {
  char* error = nullptr;
  ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << error << "\n" << sql;
}

void Insert(sqlite3* db, const char* sql, const std::vector<std::string>& texts,
            const std::vector<int64_t>& numbers) {
  sqlite3_stmt* statement = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db, sql, -1, &statement, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  int index = 1;
  for (int64_t n : numbers) sqlite3_bind_int64(statement, index++, n);
  for (const std::string& t : texts) {
    sqlite3_bind_text(statement, index++, t.c_str(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
  }
  EXPECT_EQ(sqlite3_step(statement), SQLITE_DONE) << sqlite3_errmsg(db);
  sqlite3_finalize(statement);
}

std::string ModelsJson(const std::vector<TestNoteType>& types) {
  QJsonObject models;
  for (const TestNoteType& type : types) {
    QJsonArray fields;
    for (size_t i = 0; i < type.fields.size(); ++i) {
      fields.append(QJsonObject{{"name", QString::fromStdString(type.fields[i])},
                                {"ord", static_cast<int>(i)}});
    }
    models.insert(QString::number(type.id),
                  QJsonObject{{"name", QString::fromStdString(type.name)}, {"flds", fields}});
  }
  return QJsonDocument(models).toJson(QJsonDocument::Compact).toStdString();
}

std::string Serialize(sqlite3* db) {
  sqlite3_int64 size = 0;
  unsigned char* data = sqlite3_serialize(db, "main", &size, 0);
  std::string bytes(reinterpret_cast<const char*>(data), static_cast<size_t>(size));
  sqlite3_free(data);
  return bytes;
}

}  // namespace

std::string MakeCollection(AnkiSchema schema, const std::vector<TestNoteType>& types,
                           const std::vector<TestNote>& notes, const std::string& extra_sql) {
  sqlite3* db = nullptr;
  sqlite3_open(":memory:", &db);
  sqlite3_create_collation(db, "unicase", SQLITE_UTF8, nullptr, Unicase);
  Exec(db, kOlderSchema);
  const bool current = schema == AnkiSchema::kCurrent;
  Insert(db,
         "INSERT INTO col VALUES (1, 1650000000, 1650000000000, 1650000000000, ?1, 0, 0, 0, "
         "'{}', ?2, '{}', '{}', '{}')",
         {current ? std::string() : ModelsJson(types)}, {current ? 18 : 11});
  if (current) {
    Exec(db, kCurrentTables);
    for (const TestNoteType& type : types) {
      Insert(db, "INSERT INTO notetypes VALUES (?1, ?2, 0, 0, x'')", {type.name}, {type.id});
      for (size_t i = 0; i < type.fields.size(); ++i) {
        Insert(db, "INSERT INTO fields VALUES (?1, ?2, ?3, x'')", {type.fields[i]},
               {type.id, static_cast<int64_t>(i)});
      }
    }
  }
  int64_t id = 1650000000001;
  for (const TestNote& note : notes) {
    std::string joined;
    for (size_t i = 0; i < note.fields.size(); ++i) joined += (i ? "\x1f" : "") + note.fields[i];
    Insert(db,
           "INSERT INTO notes VALUES (?1, 'guid' || ?1, ?2, 0, -1, '', ?3, ?4, 0, 0, '')",
           {joined, note.fields.empty() ? std::string() : note.fields[0]}, {id++, note.note_type});
  }
  if (!extra_sql.empty()) Exec(db, extra_sql);
  std::string bytes = Serialize(db);
  sqlite3_close(db);
  return bytes;
}

std::string MakeZip(const std::vector<ZipMember>& members) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_source_keep(target);
  zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &error);
  EXPECT_NE(archive, nullptr);
  for (const ZipMember& member : members) {
    zip_source_t* source =
        zip_source_buffer(archive, member.bytes.data(), member.bytes.size(), 0);
    const zip_int64_t index = zip_file_add(archive, member.name.c_str(), source, ZIP_FL_OVERWRITE);
    EXPECT_GE(index, 0);
    zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                             member.deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0);
  }
  EXPECT_EQ(zip_close(archive), 0);
  zip_stat_t stat;
  zip_source_stat(target, &stat);
  std::string bytes(stat.size, '\0');
  zip_source_open(target);
  zip_source_read(target, bytes.data(), stat.size);
  zip_source_close(target);
  zip_source_free(target);
  zip_error_fini(&error);
  return bytes;
}

std::string ZstdPack(const std::string& bytes) {
  std::string packed(ZSTD_compressBound(bytes.size()), '\0');
  const size_t size = ZSTD_compress(packed.data(), packed.size(), bytes.data(), bytes.size(), 3);
  EXPECT_FALSE(ZSTD_isError(size));
  packed.resize(size);
  return packed;
}

TestNoteType BasicNoteType(int64_t id) {
  return {id, "Basic", {"Front", "Back"}};
}

std::string MakeOlderPackage(const std::vector<TestNoteType>& types,
                             const std::vector<TestNote>& notes, const std::string& member) {
  return MakeZip({{member, MakeCollection(AnkiSchema::kOlder, types, notes)}, {"media", "{}"}});
}

std::string MakeCurrentPackage(const std::vector<TestNoteType>& types,
                               const std::vector<TestNote>& notes) {
  const TestNoteType basic = BasicNoteType();
  const std::string stand_in = MakeCollection(
      AnkiSchema::kOlder, {basic},
      {{basic.id, {"Please update to the latest Anki version, then import the .colpkg/.apkg file again.", ""}}});
  return MakeZip({{"collection.anki2", stand_in},
                  {"collection.anki21b", ZstdPack(MakeCollection(AnkiSchema::kCurrent, types, notes)), false},
                  {"media", ZstdPack(""), false},
                  {"meta", std::string("\x08\x03", 2), false}});
}

}  // namespace vorelka::testing
