// Reading a long value (long_value.h), a Memo's text or an OLE object's
// bytes: inline after its header, the whole of one row elsewhere, or a
// chain of rows.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "jet/format/page_file.h"

namespace vorelka::jet::format {

// The stored bytes of the value whose field (header and any inline data)
// is `field`. A field shorter than a header holds nothing. Raises where the
// header is of no known kind, a pointer names no row, or a chain runs in a
// cycle or does not add up to the length the header gives.
std::vector<uint8_t> ReadLongValue(PageFile& file, std::span<const uint8_t> field);

}  // namespace vorelka::jet::format
