// Splits delimited text into records of fields. One loop serves every kind
// of delimited source `vorelka-words build` reads; a FieldSyntax says how
// the kind marks its fields:
//
//   kTsvFields  our TSV lists: fields split by tabs, records by line feeds,
//               no quoting. A field that is exactly \N is Null; elsewhere
//               \\ \t \n \r stand for a backslash, tab, line feed and
//               carriage return, and any other backslash is a fault.
//   kCsvFields  RFC 4180: fields split by commas; a field that starts with
//               a quote runs to the matching quote and may hold commas,
//               line breaks and quotes (doubled); a quote anywhere else is
//               a fault. An unquoted field that is exactly \N is Null.
//   AnkiFields  Anki's text export and lists from flash-card sites: any
//               separator, quoting as in CSV, but a quote inside an
//               unquoted field is plain text, and there is no Null.
//
// A carriage return before a line feed is dropped, as is one right after a
// closing quote.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/source_error.h"

namespace vorelka::tools {

// The TSV field that stands for Null, and the escapes: the letter after the
// backslash, and the character it stands for.
inline constexpr std::string_view kTsvNull = "\\N";
inline constexpr std::pair<char, char> kTsvEscapes[] = {
    {'\\', '\\'}, {'t', '\t'}, {'n', '\n'}, {'r', '\r'}};

struct FieldSyntax {
  char separator = '\t';
  bool quotes = false;         // "…" fields as in RFC 4180
  bool strict_quotes = false;  // a quote inside an unquoted field is a fault
  bool null_marker = false;    // an unquoted field that is exactly \N is Null
  bool escapes = false;        // the TSV backslash escapes
};

inline constexpr FieldSyntax kTsvFields{.separator = '\t', .null_marker = true, .escapes = true};
inline constexpr FieldSyntax kCsvFields{
    .separator = ',', .quotes = true, .strict_quotes = true, .null_marker = true};
constexpr FieldSyntax AnkiFields(char separator) {
  return {.separator = separator, .quotes = true};
}

struct DelimitedField {
  std::string text;
  bool null = false;
};

class DelimitedFields {
 public:
  // `first_line` is the line number of text[0] in the whole source.
  DelimitedFields(std::string_view text, FieldSyntax syntax, int64_t first_line = 1)
      : text_(text), syntax_(syntax), line_(first_line) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  // The line the next record starts on.
  int64_t line() const { return line_; }
  // The text not yet read, from the start of the next record.
  std::string_view Rest() const { return text_.substr(pos_); }
  // Passes over the rest of the current line, its line feed included.
  void SkipLine();

  // Reads the next record (call only when !AtEnd()). A fault names the line
  // it lies on; the reader is then not to be used any further.
  std::optional<SourceError> Next(std::vector<DelimitedField>* fields);

 private:
  std::optional<SourceError> ReadQuoted(DelimitedField* field);
  std::optional<SourceError> ReadUnquoted(DelimitedField* field);

  std::string_view text_;
  FieldSyntax syntax_;
  size_t pos_ = 0;
  int64_t line_;
};

}  // namespace vorelka::tools
