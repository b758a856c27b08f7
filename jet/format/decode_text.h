// Reading text as stored (text_value.h): Jet 3 text in the code page the
// header names, Jet 4 UTF-16 (UCS-2 as Access 97 to 2003 wrote it; pairs
// of surrogates are read as the one character they make) and its
// compressed form.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "jet/format/decode_header.h"

namespace vorelka::jet::format {

// UTF-8. A byte or unit that names no character becomes '?'.
std::string DecodeText(const HeaderFacts& header, std::span<const uint8_t> stored);

}  // namespace vorelka::jet::format
