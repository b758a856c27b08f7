// The sources `vorelka-words build` reads, told apart by their content
// whatever the file's name says (the extension only picks a list's separator
// and sharpens messages):
//
//   kWordList     TSV/CSV whose header names English and Russian (and Id):
//                 read by word_list_reader, keeping Ids and Nulls
//   kKvtml        KDE vocabulary file
//   kAnkiPackage  Anki .apkg (a zip archive)
//   kAnkiDatabase an Anki collection database on its own
//   kDelimited    Anki text export, or a list with no header row
#pragma once

#include <optional>
#include <string_view>

#include "tools/import/imported_words.h"

namespace vorelka::tools {

enum class SourceKind { kWordList, kKvtml, kAnkiPackage, kAnkiDatabase, kDelimited };

// The kind of source `bytes` holds, or a fault when it holds nothing (no
// byte but white space and a byte-order mark).
std::optional<SourceError> DetectSource(std::string_view bytes, std::string_view file_name,
                                        SourceKind* kind);

// Reads a source of any kind but kWordList. Every pair is checked: UTF-8,
// and at most kMaxWordChars characters a word; a source with no pair at all
// is refused. A fault names `file_name`, and says so when the name promised
// another form (a .apkg that is no zip archive was read as text).
std::optional<SourceError> ImportWords(std::string_view bytes, std::string_view file_name,
                                       SourceKind kind, const ImportOptions& options,
                                       ImportedWords* words);

}  // namespace vorelka::tools
