// Writes a Jet database file holding one table: a Long Integer primary key
// and a list of Text(255) columns, by default the word table
//   Words (Id Long Integer PRIMARY KEY, English Text(255), Russian Text(255)).
// Shaped like LevelDB's TableBuilder:
//
//   WordsTableBuilder builder("/data/words.mdb");          // Jet 4 by default
//   builder.Add({1, {"cat", "кошка"}});
//   builder.Add({2, {"dog", std::nullopt}});                 // Russian is Null
//   Status s = builder.Finish();                             // or Abandon()
//
// The file is built under a temporary name in the target's folder and renamed
// over the target only when Finish succeeds, so a failed build never leaves a
// partial file nor touches an existing one. The layout of the file is
// described in jet/write/words_table_builder.cpp.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "jet/format/jet_format_id.h"
#include "jet/write/status.h"

namespace vorelka::jet {

struct TableSchema {
  std::string table = "Words";
  std::string key_column = "Id";
  std::vector<std::string> text_columns = {"English", "Russian"};
};

// One row: its key and, in UTF-8, one text per text column of the schema;
// nullopt is Null, which stays distinct from an empty string.
struct WordRow {
  int32_t id = 0;
  std::vector<std::optional<std::string>> texts;
};

class WordsTableBuilder {
 public:
  explicit WordsTableBuilder(std::filesystem::path path, JetFormat format = JetFormat::kJet4,
                             TableSchema schema = {});
  ~WordsTableBuilder();  // abandons the build if neither Finish nor Abandon ran

  WordsTableBuilder(const WordsTableBuilder&) = delete;
  WordsTableBuilder& operator=(const WordsTableBuilder&) = delete;

  // Adds a row; rows may come in any key order. The first error sticks in
  // status() and later calls do nothing. Errors name the row by its 1-based
  // Add number and its Id.
  void Add(const WordRow& row);

  // Writes the index, the catalog and the header, then renames the file into
  // place. Returns the first error of the build if there was one; the target
  // is then left as it was.
  Status Finish();

  // Drops the build and its temporary file; the target is left as it was.
  void Abandon();

  const Status& status() const;
  uint64_t NumRows() const;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

// The checks WordsTableBuilder::Add makes of a row on its own, writing
// nothing: for a dry run, and to leave out beforehand the rows a format
// cannot hold (a character outside code page 1251 in Jet 3, say).
//
//   WordRowCheck check(JetFormat::kJet3);
//   std::string problem = check.Problem({1, {"café", "кафе"}});
//   // "English text has the character 'é' (U+00E9), which code page 1251 cannot hold"
class WordRowCheck {
 public:
  explicit WordRowCheck(JetFormat format = JetFormat::kJet4, TableSchema schema = {});
  ~WordRowCheck();

  WordRowCheck(const WordRowCheck&) = delete;
  WordRowCheck& operator=(const WordRowCheck&) = delete;

  // Empty when Add would take `row`; else what Add's error says after the
  // row's name (see RowName).
  std::string Problem(const WordRow& row);

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

// How Add's errors name a row: by its 1-based Add number and its Id.
std::string RowName(uint64_t add_number, int32_t id);

}  // namespace vorelka::jet
