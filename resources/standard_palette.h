// The standard 16-colour (Windows VGA) palette, in its usual index order.
// The program icon uses only these colours plus transparency.
#pragma once

#include <QRgb>

#include <array>
#include <cstddef>

namespace vorelka::resources {

inline constexpr std::size_t kStandardPaletteSize = 16;

inline constexpr std::array<QRgb, kStandardPaletteSize> kStandardPalette = {
    0xFF000000u,  // black
    0xFF800000u,  // maroon
    0xFF008000u,  // green
    0xFF808000u,  // olive
    0xFF000080u,  // navy
    0xFF800080u,  // purple
    0xFF008080u,  // teal
    0xFFC0C0C0u,  // silver
    0xFF808080u,  // grey
    0xFFFF0000u,  // red
    0xFF00FF00u,  // lime
    0xFFFFFF00u,  // yellow
    0xFF0000FFu,  // blue
    0xFFFF00FFu,  // fuchsia
    0xFF00FFFFu,  // aqua
    0xFFFFFFFFu,  // white
};

// The palette index of an opaque colour, or -1 when it is not in the palette.
constexpr int StandardPaletteIndex(QRgb opaque) {
  for (std::size_t i = 0; i < kStandardPalette.size(); ++i) {
    if (kStandardPalette[i] == opaque) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace vorelka::resources
