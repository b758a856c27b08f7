// Reads the English/Russian pairs of a KDE vocabulary file (.kvtml 1.0 or
// 2.0). The two languages are picked by each identifier's locale or name;
// a file whose identifiers say nothing is read by script. A file with other
// languages, or more than two, needs --english ID --russian ID (an id, locale
// or name).
#pragma once

#include <optional>
#include <string_view>

#include "tools/import/imported_words.h"

namespace vorelka::tools {

std::optional<SourceError> ReadKvtml(std::string_view bytes, const ImportOptions& options,
                                     ImportedWords* words);

}  // namespace vorelka::tools
