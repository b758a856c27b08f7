// Build-time tool: turns the hand-drawn XPM icons into the forms the
// installers need, after checking them against the standard 16-colour
// palette.
//
//   vorelka-make-icons OUT_DIR ICON.xpm...
//
// writes OUT_DIR/vorelka-<size>.png for each image (the desktop's hicolor
// icons) and OUT_DIR/vorelka.ico holding all of them (the Windows program
// icon).
#include <QFile>
#include <QImage>

#include <cstdio>
#include <string>
#include <vector>

#include "resources/ico_file.h"

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "vorelka-make-icons: %s\n", message.c_str());
  return 1;
}

bool HasTransparency(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(image.pixel(x, y)) == 0) return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Fail("usage: vorelka-make-icons OUT_DIR ICON.xpm...");
  const QString out_dir = QString::fromLocal8Bit(argv[1]);

  std::vector<QImage> images;
  for (int i = 2; i < argc; ++i) {
    QImage image(QString::fromLocal8Bit(argv[i]));
    if (image.isNull()) return Fail(std::string("cannot read ") + argv[i]);
    image = image.convertToFormat(QImage::Format_ARGB32);
    if (!HasTransparency(image)) return Fail(std::string(argv[i]) + " has no transparent pixel");
    const QString png = out_dir + QStringLiteral("/vorelka-%1.png").arg(image.width());
    if (!image.save(png, "PNG")) return Fail("cannot write " + png.toStdString());
    images.push_back(image);
  }

  std::string error;
  const QByteArray ico = vorelka::resources::EncodeIco(images, error);
  if (ico.isEmpty()) return Fail(error);
  QFile file(out_dir + QStringLiteral("/vorelka.ico"));
  if (!file.open(QIODevice::WriteOnly) || file.write(ico) != ico.size()) {
    return Fail("cannot write " + file.fileName().toStdString());
  }
  return 0;
}
