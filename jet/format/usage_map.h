// Usage maps: which pages belong to a table (or are free). A map is a row
// on a data page, named by a row pointer in the table definition; its first
// byte is its kind.
//
//   inline (0x00):    kind(1) first page(4) bitmap (Jet 3: 128, Jet 4: 64)
//                     bit i set: page first + i
//   reference (0x01): kind(1) then 4-byte numbers of map pages (type 0x05);
//                     map page k covers pages k * bits-per-page onwards,
//                     its bitmap starting at byte 4
//
// Bits run from the low-order bit of each byte.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vorelka::jet::format {

struct UsageMapLayout {
  size_t inline_bitmap_size;

  size_t RowSize() const;
};

namespace map {

inline constexpr uint8_t kInlineMap = 0x00;
inline constexpr uint8_t kReferenceMap = 0x01;
inline constexpr size_t kKindSize = 1;
inline constexpr size_t kInlineStartOffset = 1;
inline constexpr size_t kInlineStartSize = 4;
inline constexpr size_t kInlineBitsOffset = kInlineStartOffset + kInlineStartSize;
inline constexpr size_t kReferencePagesOffset = 1;
inline constexpr size_t kPagePointerSize = 4;
inline constexpr size_t kMapPageBitsOffset = 4;

}  // namespace map

inline size_t UsageMapLayout::RowSize() const {
  return map::kInlineBitsOffset + inline_bitmap_size;
}

inline constexpr UsageMapLayout kJet3UsageMap{.inline_bitmap_size = 128};
inline constexpr UsageMapLayout kJet4UsageMap{.inline_bitmap_size = 64};

}  // namespace vorelka::jet::format
