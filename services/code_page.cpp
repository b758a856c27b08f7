#include "services/code_page.h"

#include <algorithm>

namespace vorelka::services {

std::string CodePageToUtf8(uint16_t code_page, std::span<const uint8_t> bytes) {
  // Plain ASCII reads the same in every code page a Jet file names.
  if (std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b < 0x80; })) {
    return std::string(bytes.begin(), bytes.end());
  }
  return ConvertCodePage(code_page, bytes);
}

}  // namespace vorelka::services
