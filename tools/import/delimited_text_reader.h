// Reads word pairs from delimited text: Anki's plain-text export, and lists
// from flash-card sites that have no header row.
//
// Anki's export may start with header lines "#key:value": #separator: (tab,
// comma, semicolon, space, pipe, colon or the character itself), #html:
// (true or false; without it, the text is HTML when any field looks like
// it), #columns: (the column names, split by the separator), and
// #notetype column:, #deck column:, #tags column:, #guid column: (columns,
// from 1, that hold no field). Other #key:value lines are noted and not
// used; lines starting with # but without ':' are comments.
//
// Fields may be quoted with "…" (a quote inside doubled) and then hold the
// separator and line breaks. Without #separator: a tab separates the
// columns if the text has one, else the file name's hint, else the first of
// comma, semicolon and pipe that appears. Every row must have as many fields
// as the first. The English and Russian columns are chosen by
// --english-field/--russian-field, the #columns: names, or script.
#pragma once

#include <optional>
#include <string_view>

#include "tools/import/imported_words.h"

namespace vorelka::tools {

enum class SeparatorHint { kNone, kTab, kComma };

// True when the text starts with a line Anki writes at the head of an
// export: "#key:value", or "tags:…".
bool HasAnkiHeaderLine(std::string_view bytes);

std::optional<SourceError> ReadDelimitedText(std::string_view bytes, SeparatorHint hint,
                                             const ImportOptions& options, ImportedWords* words);

}  // namespace vorelka::tools
