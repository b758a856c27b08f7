// Page 0, the database definition page: the format's signature and version,
// the code page and sort order of text, the (empty) password and the
// database key. Part of it is masked with RC4, as every engine expects.
#pragma once

#include <cstdint>
#include <vector>

#include "jet/format/format.h"

namespace vorelka::jet::writer {

using format::Format;

// Text settings: Jet 3 text is code page 1251 with the Cyrillic sort order;
// Jet 4 keeps UCS-2 text with the General sort order.
uint16_t CodePageOf(const Format& format);
uint16_t SortOrderOf(const Format& format);

// Days since 1899-12-30, as Jet stores dates.
double JetDateNow();

// Applies RC4 with `key` to `data` in place (encrypts and decrypts alike).
// Fills `page` (format.page_size bytes) with the header page.
void WriteHeaderPage(const Format& format, double creation_date, uint8_t* page);

}  // namespace vorelka::jet::writer
