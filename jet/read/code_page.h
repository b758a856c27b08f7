// The character set of a Jet 3 file's text, from the code page in its
// header. Jet 4 and later store text as UCS-2 and need none.
#pragma once

#include <cstdint>

namespace vorelka::jet {

// The iconv name of a Windows code page; Western (Windows-1252) for a code
// page this table does not know, as the engine itself assumes.
const char* IconvNameOfCodePage(uint16_t code_page);

}  // namespace vorelka::jet
