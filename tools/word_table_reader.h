// Reads every row of a word table through libmdb: the key and the two
// words, keeping Null apart from an empty text (libmdb's bound values do not,
// so each row's null mask is read as well).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vorelka::tools {

struct StoredWord {
  std::optional<int32_t> id;  // nullopt when Null
  std::optional<std::string> english;
  std::optional<std::string> russian;
};

struct WordTable {
  std::vector<StoredWord> rows;  // in stored order
};

// Reads table `table` (Id, English, Russian) of the database at `path`.
// Returns false with *problem set when the file, the table or a column is
// missing or unreadable, or Id does not hold whole numbers.
bool ReadWordTable(const std::string& path, const std::string& table, WordTable* out,
                   std::string* problem);

}  // namespace vorelka::tools
