#include "resources/ico_file.h"

#include <cstdint>

#include "resources/standard_palette.h"

namespace vorelka::resources {
namespace {

constexpr std::uint16_t kIconResourceType = 1;
constexpr std::size_t kIconDirSize = 6;
constexpr std::size_t kIconDirEntrySize = 16;
constexpr std::uint32_t kBitmapInfoHeaderSize = 40;
constexpr std::uint16_t kColourBits = 4;  // 16 colours
constexpr std::uint16_t kMaskBits = 1;
constexpr int kLargestIcon = 256;  // an entry's size byte holds 0 for 256

void Put8(QByteArray& out, std::uint8_t v) {
  out.append(static_cast<char>(v));
}
void Put16(QByteArray& out, std::uint16_t v) {
  Put8(out, static_cast<std::uint8_t>(v & 0xFF));
  Put8(out, static_cast<std::uint8_t>(v >> 8));
}
void Put32(QByteArray& out, std::uint32_t v) {
  Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<std::uint16_t>(v >> 16));
}

// Bitmap rows are padded to whole 32-bit words.
std::size_t RowBytes(int width, int bits_per_pixel) {
  return ((static_cast<std::size_t>(width) * bits_per_pixel + 31) / 32) * 4;
}

// The BITMAPINFOHEADER, palette, colour bits and mask of one image. The
// header's height counts both the colour bitmap and the mask.
bool EncodeImage(const QImage& source, QByteArray& out, std::string& error) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const int size = image.width();
  const std::size_t colour_row = RowBytes(size, kColourBits);
  const std::size_t mask_row = RowBytes(size, kMaskBits);
  const auto pixel_bytes = static_cast<std::uint32_t>((colour_row + mask_row) * size);

  Put32(out, kBitmapInfoHeaderSize);
  Put32(out, static_cast<std::uint32_t>(size));
  Put32(out, static_cast<std::uint32_t>(size * 2));
  Put16(out, 1);  // planes
  Put16(out, kColourBits);
  Put32(out, 0);  // BI_RGB, uncompressed
  Put32(out, pixel_bytes);
  Put32(out, 0);  // horizontal resolution, unused
  Put32(out, 0);  // vertical resolution, unused
  Put32(out, kStandardPaletteSize);
  Put32(out, 0);  // all colours important
  for (QRgb colour : kStandardPalette) {
    Put8(out, static_cast<std::uint8_t>(qBlue(colour)));
    Put8(out, static_cast<std::uint8_t>(qGreen(colour)));
    Put8(out, static_cast<std::uint8_t>(qRed(colour)));
    Put8(out, 0);
  }

  QByteArray colour_bits;
  QByteArray mask_bits;
  // Both bitmaps run bottom-up.
  for (int y = size - 1; y >= 0; --y) {
    QByteArray colour_line(static_cast<qsizetype>(colour_row), '\0');
    QByteArray mask_line(static_cast<qsizetype>(mask_row), '\0');
    for (int x = 0; x < size; ++x) {
      const QRgb pixel = image.pixel(x, y);
      int index = 0;  // transparent pixels: black under a set mask bit
      if (qAlpha(pixel) == 0) {
        mask_line[x / 8] = static_cast<char>(mask_line[x / 8] | (0x80 >> (x % 8)));
      } else if (qAlpha(pixel) != 0xFF || (index = StandardPaletteIndex(pixel | 0xFF000000u)) < 0) {
        error = "pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                ") is neither transparent nor a colour of the standard 16-colour palette";
        return false;
      }
      const int shift = (x % 2 == 0) ? 4 : 0;
      colour_line[x / 2] = static_cast<char>(colour_line[x / 2] | (index << shift));
    }
    colour_bits.append(colour_line);
    mask_bits.append(mask_line);
  }
  out.append(colour_bits);
  out.append(mask_bits);
  return true;
}

}  // namespace

QByteArray EncodeIco(const std::vector<QImage>& images, std::string& error) {
  std::vector<QByteArray> bodies;
  for (const QImage& image : images) {
    if (image.isNull() || image.width() != image.height() || image.width() > kLargestIcon) {
      error = "an icon image must be square and at most 256 px";
      return {};
    }
    QByteArray body;
    if (!EncodeImage(image, body, error)) return {};
    bodies.push_back(body);
  }

  QByteArray out;
  Put16(out, 0);  // reserved
  Put16(out, kIconResourceType);
  Put16(out, static_cast<std::uint16_t>(images.size()));
  auto offset = static_cast<std::uint32_t>(kIconDirSize + kIconDirEntrySize * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int size = images[i].width();
    const auto size_byte = static_cast<std::uint8_t>(size == kLargestIcon ? 0 : size);
    Put8(out, size_byte);  // width
    Put8(out, size_byte);  // height
    Put8(out, kStandardPaletteSize);
    Put8(out, 0);   // reserved
    Put16(out, 1);  // planes
    Put16(out, kColourBits);
    Put32(out, static_cast<std::uint32_t>(bodies[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(bodies[i].size());
  }
  for (const QByteArray& body : bodies) out.append(body);
  return out;
}

}  // namespace vorelka::resources
