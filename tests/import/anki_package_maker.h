// Anki packages built in the tests with SQLite, libzip and zstd, shaped as
// Anki writes them: the older collection (schema 11, note types as JSON in
// col.models) in collection.anki2 or .anki21, and the current one (schema 18,
// notetypes and fields tables) zstd-packed in collection.anki21b beside a
// stand-in collection.anki2 that tells old versions to update.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vorelka::testing {

struct TestNoteType {
  int64_t id;
  std::string name;
  std::vector<std::string> fields;
};

struct TestNote {
  int64_t note_type;
  std::vector<std::string> fields;  // joined with U+001F as Anki stores them
};

enum class AnkiSchema { kOlder, kCurrent };

// An Anki collection database file's bytes; `extra_sql` runs after the
// schema is made, for hostile variants (it may replace tables with views).
std::string MakeCollection(AnkiSchema schema, const std::vector<TestNoteType>& types,
                           const std::vector<TestNote>& notes, const std::string& extra_sql = "");

struct ZipMember {
  std::string name;
  std::string bytes;
  bool deflate = true;
};

std::string MakeZip(const std::vector<ZipMember>& members);

std::string ZstdPack(const std::string& bytes);

// Whole packages: "collection.anki21" (or .anki2) for the older form;
// collection.anki21b plus the stand-in for the current one.
std::string MakeOlderPackage(const std::vector<TestNoteType>& types,
                             const std::vector<TestNote>& notes,
                             const std::string& member = "collection.anki21");
std::string MakeCurrentPackage(const std::vector<TestNoteType>& types,
                               const std::vector<TestNote>& notes);

// The note type Anki starts with.
TestNoteType BasicNoteType(int64_t id = 1342697561419);

}  // namespace vorelka::testing
