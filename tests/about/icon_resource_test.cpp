// The program icon: the compiled-in resource, and the PNG and ICO forms the
// build makes from the same drawings.
#include <gtest/gtest.h>

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <string>

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

// Each size is its own drawing, not the other scaled; the hicolor PNGs the
// build made are the same drawings. (Their colours and masks are checked
// by the ICO writer, which refuses any other.)
TEST(ProgramIcon, ResourceAndBuiltPngsHoldBothDrawings) {
  const QIcon icon = ProgramIcon();
  for (const int size : {16, 32}) {
    ASSERT_EQ(Drawing(size).size(), QSize(size, size));
    EXPECT_EQ(Argb(icon.pixmap(size, size).toImage()), Drawing(size)) << size;
    const QString png = BuiltIcon(size == 32 ? "vorelka-32.png" : "vorelka-16.png");
    EXPECT_EQ(Argb(QImage(png, "PNG")), Drawing(size)) << png.toStdString();
  }
}

// The Windows icon is read back by Qt's own ICO reader, which knows nothing
// of our writer.
TEST(WindowsIcon, HoldsBothDrawingsAsSixteenColourImagesWithMasks) {
  QImageReader reader(BuiltIcon("vorelka.ico"), "ico");
  ASSERT_TRUE(reader.canRead()) << reader.errorString().toStdString();
  ASSERT_EQ(reader.imageCount(), 2);

  QFile file(BuiltIcon("vorelka.ico"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  for (const int i : {0, 1}) {
    ASSERT_TRUE(reader.jumpToImage(i));
    EXPECT_EQ(Argb(reader.read()), Drawing(i == 0 ? 32 : 16));
    // The directory entry (16 bytes each, after a 6-byte header): 16
    // colours, 4 bits per pixel.
    EXPECT_EQ(bytes[6 + 16 * i + 2], 16);
    EXPECT_EQ(bytes[6 + 16 * i + 6], 4);
  }
}

TEST(WindowsIcon, WriterRefusesColoursOutsideThePaletteHalfTransparencyAndOblongs) {
  QImage odd_colour(16, 16, QImage::Format_ARGB32);
  odd_colour.fill(0xFFFFFFFFu);
  odd_colour.setPixel(3, 5, 0xFF123456u);
  QImage half_transparent = odd_colour;
  half_transparent.setPixel(3, 5, 0x80FFFFFFu);
  QImage oblong(16, 8, QImage::Format_ARGB32);
  oblong.fill(0xFF000000u);
  for (const QImage& image : {odd_colour, half_transparent, oblong}) {
    std::string error;
    EXPECT_TRUE(EncodeIco({image}, error).isEmpty());
    EXPECT_FALSE(error.empty());
  }
  std::string error;
  EncodeIco({odd_colour}, error);
  EXPECT_NE(error.find("(3, 5)"), std::string::npos) << error;
}

}  // namespace
}  // namespace vorelka::resources
