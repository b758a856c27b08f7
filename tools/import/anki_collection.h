// Reads the notes and note types of an Anki collection (an SQLite database)
// held in memory. The database comes from a stranger: SQLite opens a private
// in-memory copy read-only, in defensive mode, with the schema untrusted,
// triggers and views off, and a bound on the work a query may do; only the
// tables below are read.
//
//   notes(id, mid, flds)                  flds: the fields, split by U+001F
//   notetypes(id, name), fields(ntid, ord, name)    current collections
//   col(models)                           older ones: note types as JSON,
//                                         {"<id>": {"name": …, "flds": [{"name": …, "ord": 0}, …]}}
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorelka::tools {

struct AnkiNoteType {
  int64_t id = 0;
  std::string name;
  std::vector<std::string> fields;  // in field order
};

struct AnkiNote {
  int64_t id = 0;
  int64_t note_type = 0;
  std::vector<std::string> fields;  // as stored: HTML
};

struct AnkiCollection {
  std::vector<AnkiNoteType> note_types;
  std::vector<AnkiNote> notes;  // by note id
};

// True when the bytes start as an SQLite database does.
bool LooksLikeSqlite(std::string_view bytes);

// Reads `database` (taken over: SQLite reads it in place). Returns a message
// on failure.
std::optional<std::string> ReadAnkiCollection(std::string database, AnkiCollection* collection);

}  // namespace vorelka::tools
