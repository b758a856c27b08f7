// Memo and OLE values. The row holds a 12-byte header: the value's length
// with its kind in the top bits, then a row pointer (4) and 4 more bytes.
// An inline value follows the header in the row; a single-page value is the
// whole row pointed to; a chained value is a run of rows, each starting with
// a row pointer to the next (0 at the end).
#pragma once

#include <cstddef>
#include <cstdint>

namespace vorelka::jet::format::long_value {

inline constexpr uint32_t kHeaderSize = 12;
inline constexpr size_t kPointerOffset = 4;
inline constexpr uint32_t kInlineValue = 0x80000000;
inline constexpr uint32_t kSinglePageValue = 0x40000000;
inline constexpr uint32_t kMemoKindMask = 0xFF000000;
inline constexpr uint32_t kOleKindMask = 0xF0000000;
inline constexpr uint32_t kChainPointerSize = 4;

}  // namespace vorelka::jet::format::long_value
