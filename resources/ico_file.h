// Writes a Windows icon file (.ico) whose images are 16-colour bitmaps with
// transparency masks, the form the Windows shell shows at every colour depth.
#pragma once

#include <QByteArray>
#include <QImage>

#include <string>
#include <vector>

namespace vorelka::resources {

// The .ico bytes for the given images, in that order. Each image must be
// square, at most 256 px, and hold only fully transparent pixels and opaque
// colours of the standard 16-colour palette; otherwise `error` says why and
// the result is empty.
QByteArray EncodeIco(const std::vector<QImage>& images, std::string& error);

}  // namespace vorelka::resources
