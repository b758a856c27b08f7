// The head of every page the writer makes but the header page (page.h):
// its type, the byte 0x01, the free space and the owner.
#pragma once

#include <cstdint>

#include "jet/format/bytes.h"
#include "jet/format/page.h"

namespace vorelka::jet::writer {

// `owner` is the table-definition page of a data or index page; on a
// definition page it is the next page of the definition. A usage-map page
// has no owner: its bitmap starts there, so it is set after the head.
inline void PutPageHead(uint8_t* page, uint8_t type, uint16_t free_space, uint32_t owner) {
  format::PutU8(page + format::kPageTypeOffset, type);
  format::PutU8(page + format::kPageTypeSecondByteOffset, format::kPageTypeSecondByte);
  format::PutLe16(page + format::kFreeSpaceOffset, free_space);
  format::PutLe32(page + format::kPageOwnerOffset, owner);
}

}  // namespace vorelka::jet::writer
