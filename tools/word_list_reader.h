// Reads a word list: UTF-8 text, TSV or CSV, whose first row names the
// columns English and Russian and optionally Id, in any order and any case.
//
//   TSV  as mdb-export/MySQL and `vorelka-words list` write it, with \N for
//        Null and backslash escapes (kTsvFields in delimited_fields.h)
//   CSV  RFC 4180, with an unquoted \N for Null (kCsvFields)
//
// An empty field is an empty string. Without an Id column the keys run 1..N
// in file order. Blank lines at the end of the file are ignored.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "tools/source_error.h"

namespace vorelka::tools {

enum class WordListFormat { kTsv, kCsv };

inline constexpr size_t kMaxWordChars = 255;

struct WordListRow {
  int64_t line = 0;  // 1-based line where the row starts
  int32_t id = 0;
  std::optional<std::string> english;
  std::optional<std::string> russian;
};

// The format named by a file's extension (.tsv or .tab / .csv), if any.
std::optional<WordListFormat> FormatFromFileName(std::string_view file_name);

// Guesses the format from the header line: CSV if it has a comma and no tab.
WordListFormat SniffFormat(std::string_view bytes);

// Parses `bytes`, handing each row to `on_row` in file order; stops when
// on_row returns false. Returns the first fault, or nullopt when the whole
// list is sound (the fault leaves the file for the caller to name). Checks:
// UTF-8, column names, field counts, Ids (whole numbers within 32 bits, no
// repeats), text lengths (at most kMaxWordChars).
std::optional<SourceError> ParseWordList(std::string_view bytes, WordListFormat format,
                                         const std::function<bool(const WordListRow&)>& on_row);

}  // namespace vorelka::tools
