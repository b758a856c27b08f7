// What the drill trips over in a word table: it draws keys from 1 to the row
// count and shows the word of that key, so every key in that range must have
// exactly one row, with both words present and not blank.
#pragma once

#include <string>
#include <vector>

#include "tools/word_table_reader.h"

namespace vorelka::tools {

inline constexpr size_t kMaxListedPerFinding = 20;

// One line per finding, in a stable order; empty when the table is sound.
std::vector<std::string> FindDrillProblems(const WordTable& table);

}  // namespace vorelka::tools
