// Checks of a property block (the LvProp value of a catalog row) before
// libmdb parses it (mdb_kkd_to_props): every record's length must keep the
// parser inside the block and moving forward, every value must be as long
// as its type, and no block may name a property twice.
#pragma once

#include <cstdint>
#include <span>

#include "jet/check/page_source.h"

namespace vorelka::jet::guard {

void CheckPropertyBlocks(PageSource& source, std::span<const uint8_t> blocks);

}  // namespace vorelka::jet::guard
