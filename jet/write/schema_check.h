// Checks a table schema before anything is written: names Jet accepts,
// distinct column names, a column count within the format's limit.
#pragma once

#include <string>

#include "jet/write/words_table_builder.h"
#include "jet/format/format.h"

namespace vorelka::jet::writer {

using format::Format;

// Returns an empty string when the schema is sound, else what is wrong.
std::string CheckSchema(const Format& format, const TableSchema& schema);

}  // namespace vorelka::jet::writer
