// The database's property block, the LvProp of MSysDb: AccessVersion, which
// tells readers which Access the file is for, and Build.
//
//   signature        "KKD\0" (Jet 3) or "MR2\0" (Jet 4)
//   names record     length(4) kind 0x80(2), then each name: length(2), bytes
//   values record    length(4) kind 0x00(2), length 6(4) name length 0(2),
//                    then each property: length(2) 0(1) type(1) name
//                    index(2) value size(2) value
#pragma once

#include <cstdint>
#include <string>

#include "jet/format/format.h"

namespace vorelka::jet::writer {

using format::Format;

std::string DatabaseProperties(const Format& format);

}  // namespace vorelka::jet::writer
