// UTF-8 checks shared by the word-list reader and the importers.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "tools/source_error.h"

namespace vorelka::tools {

// Offset of the first byte that is not part of valid UTF-8 (overlong forms
// and surrogates included), or npos.
size_t FirstInvalidUtf8(std::string_view s);

// The fault of a text source that is not valid UTF-8, naming the line and
// byte of the first bad byte; nullopt when all of it is valid.
std::optional<SourceError> CheckUtf8Text(std::string_view text);

// Characters (code points) in valid UTF-8.
size_t CharCount(std::string_view s);

}  // namespace vorelka::tools
