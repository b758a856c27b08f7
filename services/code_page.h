// Text in a Windows code page, as Jet 3 files store it, turned into UTF-8.
// The conversion is the platform's own (iconv, or the Windows API).
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace vorelka::services {

// A byte the code page does not define becomes '?'. A code page the system
// cannot convert is read as Western (1252).
std::string CodePageToUtf8(uint16_t code_page, std::span<const uint8_t> bytes);

// The platform's conversion of text that is not plain ASCII, by the same
// rules (one source file per platform).
std::string ConvertCodePage(uint16_t code_page, std::span<const uint8_t> bytes);

}  // namespace vorelka::services
