// The program icon: the compiled-in resource, and the PNG and ICO forms the
// build makes from the same drawings.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <string>
#include <vector>

#include "resources/ico_file.h"
#include "resources/program_icon.h"
#include "resources/standard_palette.h"

namespace vorelka::resources {
namespace {

QImage Argb(const QImage& image) {
  return image.convertToFormat(QImage::Format_ARGB32);
}

QImage Drawing(int size) {
  return Argb(QImage(QString::fromLatin1(size == 32 ? kProgramIcon32 : kProgramIcon16)));
}

QString BuiltIcon(const char* name) {
  return QStringLiteral(VORELKA_ICON_DIR "/") + QString::fromLatin1(name);
}

// The opaque colours of an image; `transparent` is set when some pixel is
// fully transparent, `partial` when some pixel is neither.
QSet<QRgb> OpaqueColours(const QImage& image, bool& transparent, bool& partial) {
  QSet<QRgb> colours;
  transparent = partial = false;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (qAlpha(pixel) == 0) {
        transparent = true;
      } else if (qAlpha(pixel) != 0xFF) {
        partial = true;
      } else {
        colours.insert(pixel);
      }
    }
  }
  return colours;
}

class DrawingTest : public ::testing::TestWithParam<int> {};

TEST_P(DrawingTest, IsSquareSixteenColourWithTransparency) {
  const int size = GetParam();
  const QImage image = Drawing(size);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(size, size));

  bool transparent = false;
  bool partial = false;
  const QSet<QRgb> colours = OpaqueColours(image, transparent, partial);
  EXPECT_TRUE(transparent);
  EXPECT_FALSE(partial) << "transparency is a mask: a pixel is either shown or not";
  EXPECT_LE(colours.size(), 16);
  for (QRgb colour : colours) {
    EXPECT_GE(StandardPaletteIndex(colour), 0) << std::hex << colour << " is not a VGA colour";
  }
  // The grey box, its dark outline and the white cards are all there.
  EXPECT_TRUE(colours.contains(0xFF000000u));
  EXPECT_TRUE(colours.contains(0xFF808080u));
  EXPECT_TRUE(colours.contains(0xFFC0C0C0u));
  EXPECT_TRUE(colours.contains(0xFFFFFFFFu));
}

TEST_P(DrawingTest, HicolorPngMatchesTheDrawing) {
  const int size = GetParam();
  const QString png = BuiltIcon(size == 32 ? "vorelka-32.png" : "vorelka-16.png");
  EXPECT_EQ(Argb(QImage(png, "PNG")), Drawing(size)) << png.toStdString();
}

INSTANTIATE_TEST_SUITE_P(BothSizes, DrawingTest, ::testing::Values(32, 16));

TEST(ProgramIcon, OffersBothSizesFromTheResource) {
  const QIcon icon = ProgramIcon();
  const QList<QSize> sizes = icon.availableSizes();
  EXPECT_TRUE(sizes.contains(QSize(32, 32)));
  EXPECT_TRUE(sizes.contains(QSize(16, 16)));
  // Each size is its own drawing, not the other scaled.
  EXPECT_EQ(Argb(icon.pixmap(16, 16).toImage()), Drawing(16));
  EXPECT_EQ(Argb(icon.pixmap(32, 32).toImage()), Drawing(32));
}

// The Windows icon is read back by Qt's own ICO reader, which knows nothing
// of our writer.
TEST(WindowsIcon, HoldsBothDrawingsAsSixteenColourImagesWithMasks) {
  QImageReader reader(BuiltIcon("vorelka.ico"), "ico");
  ASSERT_TRUE(reader.canRead()) << reader.errorString().toStdString();
  ASSERT_EQ(reader.imageCount(), 2);

  std::vector<QImage> images;
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(reader.jumpToImage(i));
    images.push_back(Argb(reader.read()));
  }
  EXPECT_EQ(images[0], Drawing(32));
  EXPECT_EQ(images[1], Drawing(16));

  QFile file(BuiltIcon("vorelka.ico"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  // Each directory entry: 16 colours, 4 bits per pixel.
  constexpr int kFirstEntry = 6;
  constexpr int kEntrySize = 16;
  for (int i = 0; i < 2; ++i) {
    const int entry = kFirstEntry + i * kEntrySize;
    EXPECT_EQ(static_cast<unsigned char>(bytes[entry + 2]), 16u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[entry + 6]), 4u);
  }
}

TEST(WindowsIcon, WriterRefusesColoursOutsideThePalette) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(0xFFFFFFFFu);
  image.setPixel(3, 5, 0xFF123456u);
  std::string error;
  EXPECT_TRUE(EncodeIco({image}, error).isEmpty());
  EXPECT_NE(error.find("(3, 5)"), std::string::npos) << error;

  image.setPixel(3, 5, 0x80FFFFFFu);  // half transparent
  error.clear();
  EXPECT_TRUE(EncodeIco({image}, error).isEmpty());
  EXPECT_FALSE(error.empty());
}

TEST(WindowsIcon, WriterRefusesImagesThatAreNotSquare) {
  QImage image(16, 8, QImage::Format_ARGB32);
  image.fill(0xFF000000u);
  std::string error;
  EXPECT_TRUE(EncodeIco({image}, error).isEmpty());
  EXPECT_FALSE(error.empty());
}

TEST(WindowsIcon, WriterKeepsOddWidthsAndTheMaskExact) {
  // 24 px: colour rows of 12 bytes and mask rows of 3 bytes, both padded
  // to 4-byte words.
  QImage image(24, 24, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (int i = 0; i < 24; ++i) {
    image.setPixel(i, i, kStandardPalette[i % 16]);
    image.setPixel(23 - i, i, kStandardPalette[15 - i % 16]);
  }
  std::string error;
  QByteArray ico = EncodeIco({image}, error);
  ASSERT_FALSE(ico.isEmpty()) << error;
  QBuffer buffer(&ico);
  QImageReader reader(&buffer, "ico");
  EXPECT_EQ(Argb(reader.read()), image);
}

}  // namespace
}  // namespace vorelka::resources
