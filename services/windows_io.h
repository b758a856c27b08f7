// Positioned reads and writes through the Windows API: the position as an
// OVERLAPPED names it, and the most one call moves. Used only by the
// Windows files of this folder.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace vorelka::services {

inline OVERLAPPED At(uint64_t position) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
  at.OffsetHigh = static_cast<DWORD>(position >> 32);
  return at;
}

// One call moves at most 1 GiB; a larger span takes several.
inline DWORD TransferSize(size_t left) {
  constexpr DWORD kMost = 0x40000000u;
  return left > kMost ? kMost : static_cast<DWORD>(left);
}

}  // namespace vorelka::services
