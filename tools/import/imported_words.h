// What every importer of `vorelka-words build` hands back: the pairs it read
// in source order, what it skipped and why, and how it chose the English and
// Russian words; or one fault (a SourceError) that names where in the
// source it lies.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/source_error.h"

namespace vorelka::tools {

struct ImportedPair {
  std::string place;  // where the pair came from: "line 7", "entry 3", "note 2 (id 1650…)"
  std::string english;
  std::string russian;
};

struct SkippedItem {
  std::string place;
  std::string reason;
};

struct ImportedWords {
  std::string format;                // e.g. "KDE vocabulary file (kvtml 2.0)"
  std::vector<std::string> choices;  // how the columns were chosen, one line each
  std::vector<std::string> ignored;  // settings of the source that do not apply here
  std::vector<ImportedPair> pairs;
  std::vector<SkippedItem> skipped;
};

// The user's say in the choice: --english/--russian pick KDE identifiers,
// --english-field/--russian-field pick Anki fields or list columns (a name,
// or a number from 1).
struct ImportOptions {
  std::optional<std::string> english_id;
  std::optional<std::string> russian_id;
  std::optional<std::string> english_field;
  std::optional<std::string> russian_field;
};

}  // namespace vorelka::tools
