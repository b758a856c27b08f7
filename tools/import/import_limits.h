// The sizes beyond which a source is refused rather than read. Sources come
// from strangers: these bound the memory and time one file can take.
#pragma once

#include <cstdint>

namespace vorelka::tools {

inline constexpr uint64_t kMiB = 1024 * 1024;

// A word list, KDE file or Anki package read from disk.
inline constexpr uint64_t kMaxSourceBytes = 256 * kMiB;

// What one package member (or the zstd data inside it) may unpack to.
inline constexpr uint64_t kMaxUnpackedBytes = 256 * kMiB;

// Unpacked bytes per packed byte, checked once a member passes
// kRatioCheckedFrom: real collections stay far below it, zip bombs far above.
inline constexpr uint64_t kMaxPackingRatio = 100;
inline constexpr uint64_t kRatioCheckedFrom = 1 * kMiB;

// Characters one XML entity reference may expand to.
inline constexpr int kMaxXmlEntityExpansion = 1024;

// SQLite virtual-machine steps a collection may take to read.
inline constexpr int64_t kMaxSqliteSteps = 2'000'000'000;

}  // namespace vorelka::tools
