// Writing words as the TSV that `build` reads back: \N for Null and the
// backslash escapes of kTsvFields (delimited_fields.h).
#pragma once

#include <optional>
#include <string>

namespace vorelka::tools {

void AppendTsvField(const std::optional<std::string>& text, std::string* out);

}  // namespace vorelka::tools
