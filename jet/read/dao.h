// A small DAO-like API over our own Jet reader: the engine, databases, snapshot
// recordsets and fields. Every failure is raised as a services::ErrorRaised
// carrying the engine's error number and a description (jet/format/jet_errors.h).
//
//   DBEngine engine;
//   auto db = engine.OpenDatabase("/path/words.mdb");
//   auto rs = db->OpenRecordset("SELECT English AS sWord FROM Words WHERE Id = 17",
//                               kDbOpenSnapshot);
//   if (!rs->Eof()) word = rs->Fields("sWord").AsText();
//   rs->Close();
//   db->Close();
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorelka::jet {

inline constexpr int kDbOpenSnapshot = 4;

// A field's value: Null, a Long (32-bit integer), a Yes/No or text (UTF-8).
class Value {
 public:
  enum class Kind { kNull, kLong, kBoolean, kText };

  Value() = default;  // Null
  static Value Long(int32_t v);
  static Value Boolean(bool v);
  static Value Text(std::string v);

  Kind kind() const { return kind_; }
  bool IsNull() const { return kind_ == Kind::kNull; }

  // Converts to a 32-bit integer (Yes is -1, No 0); raises a type-mismatch
  // or overflow error where the value has none.
  int32_t AsLong() const;
  // "" & value: Null gives "", a Long its decimal text, a Yes/No "True" or
  // "False", text itself.
  std::string AsText() const;

 private:
  Kind kind_ = Kind::kNull;
  int32_t long_ = 0;
  std::string text_;
};

// A read-only snapshot of a query's result.
class Recordset {
 public:
  virtual ~Recordset() = default;
  virtual bool Eof() const = 0;
  // The value of the named column of the current row; raises an error for
  // an unknown name or when there is no current row.
  virtual Value Fields(std::string_view name) const = 0;
  virtual void MoveNext() = 0;
  virtual void Close() = 0;
};

class Database {
 public:
  virtual ~Database() = default;
  virtual std::unique_ptr<Recordset> OpenRecordset(std::string_view sql,
                                                   int type = kDbOpenSnapshot) = 0;
  virtual void Close() = 0;
};

// Opens databases. Never writes: files are opened read-only, with no lock
// file; their bytes and their modification and change times stay as they
// were (reading may move the access time, as any reader does).
class DBEngine {
 public:
  DBEngine();
  ~DBEngine();
  std::unique_ptr<Database> OpenDatabase(const std::string& path);
};

// The whole of a word table, for vorelka-words list and check: every row of
// table Id, English, Russian in stored order, Null kept apart from empty
// text (which the DAO-like reader's text conversion does not do).
struct StoredWord {
  std::optional<int32_t> id;  // nullopt when Null
  std::optional<std::string> english;
  std::optional<std::string> russian;
};

struct WordTable {
  std::vector<StoredWord> rows;  // in stored order
};

// Reads table `table` (Id, English, Russian) of the database at `path`.
// Raises the engine's error when the file, the table or a column is
// missing, damaged or unreadable, or Id does not hold whole numbers.
WordTable ReadWordTable(const std::string& path, const std::string& table);

}  // namespace vorelka::jet
