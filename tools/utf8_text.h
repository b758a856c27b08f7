// UTF-8 checks shared by the word-list reader and the importers.
#pragma once

#include <cstddef>
#include <string_view>

namespace vorelka::tools {

// Offset of the first byte that is not part of valid UTF-8 (overlong forms
// and surrogates included), or npos.
size_t FirstInvalidUtf8(std::string_view s);

// Characters (code points) in valid UTF-8.
size_t CharCount(std::string_view s);

}  // namespace vorelka::tools
