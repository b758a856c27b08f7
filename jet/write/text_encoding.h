// Text as the two formats store it. Input is UTF-8, checked strictly.
//   Jet 4: UTF-16 little-endian (a character beyond U+FFFF as its surrogate
//          pair, as Access stores it), or Access's compressed form of it when
//          that is shorter: the marker FF FE, then units below U+0100 as one
//          byte and others as two, switching between the two modes at each 00
//          byte (so no unit whose low byte is 0 can be compressed). Names
//          stay within UCS-2.
//   Jet 3: one byte per character in code page 1251.
// A text that a format cannot hold is an error, never a silent '?'.
#pragma once

#include <string>
#include <string_view>

#include "jet/format/format.h"

namespace vorelka::jet::writer {

using format::Format;

// Decodes UTF-8 into code points. On failure returns false and describes the
// fault in *problem ("is not valid UTF-8: ...").
bool DecodeUtf8(std::string_view utf8, std::u32string* out, std::string* problem);

// Encodes a value of a Text column: at most kMaxTextChars characters (in
// Jet 4, UTF-16 units). Jet 4 text is compressed when that makes it shorter. Returns false with a
// description of the fault in *problem.
bool EncodeTextValue(const Format& format, std::string_view utf8, std::string* out,
                     std::string* problem);

// Encodes a name (table, column, index) as table definitions store it: UCS-2
// uncompressed in Jet 4, code page 1251 in Jet 3.
bool EncodeName(const Format& format, std::string_view utf8, std::string* out,
                std::string* problem);

// U+XXXX, for messages.
std::string CodePointName(char32_t c);

}  // namespace vorelka::jet::writer
