// Reads the pairs of an Anki package (.apkg): a zip archive holding the
// collection as collection.anki21b (zstd-packed, current Anki),
// collection.anki21 or collection.anki2 (older), tried in that order. Also
// reads a bare collection file. One pair per note: each note type's English
// and Russian fields are chosen by --english-field/--russian-field, else by
// the fields' names, else by script; fields are HTML and are read as plain
// text. Notes whose pair is empty are skipped and reported.
#pragma once

#include <optional>
#include <string_view>

#include "tools/import/imported_words.h"
#include "tools/import/package_member.h"

namespace vorelka::tools {

std::optional<SourceError> ReadAnkiPackage(std::string_view bytes, const ImportOptions& options,
                                           ImportedWords* words,
                                           const UnpackLimits& limits = UnpackLimits());

// A collection database on its own (collection.anki2 or .anki21 taken out
// of a package).
std::optional<SourceError> ReadAnkiCollectionFile(std::string_view bytes,
                                                  const ImportOptions& options,
                                                  ImportedWords* words);

}  // namespace vorelka::tools
