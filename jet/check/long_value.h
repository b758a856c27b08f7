// Checks of long values (memo and OLE), which live on other pages and are
// found through chains of row pointers, made before libmdb gathers them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "jet/check/page_source.h"

namespace vorelka::jet::guard {

// The memo value whose 12-byte header sits at [start, start + size) of
// `page`, as mdb_memo_to_string reads it: false, with `why`, where libmdb
// would read outside a row or round its chain for ever.
bool CheckMemoValue(PageSource& source, std::span<const uint8_t> page, uint32_t start,
                    uint32_t size, std::string& why);

// The bytes of an OLE value (12-byte header in the row, then inline data,
// one row elsewhere, or a chain of rows) as mdb_ole_read_full gathers them.
// Raises where the header or the chain is unsound (a cycle, a row that is
// not there, an unknown kind).
std::vector<uint8_t> ReadOleValue(PageSource& source, std::span<const uint8_t> field);

}  // namespace vorelka::jet::guard
