#include "tools/utf8_text.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace vorelka::tools {
namespace {

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

}  // namespace

size_t FirstInvalidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    size_t extra;
    uint32_t cp;
    uint32_t min;
    if ((c & 0xE0) == 0xC0) {
      extra = 1, cp = c & 0x1F, min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2, cp = c & 0x0F, min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3, cp = c & 0x07, min = 0x10000;
    } else {
      return i;
    }
    if (s.size() - i <= extra) return i;
    for (size_t k = 1; k <= extra; ++k) {
      const auto b = static_cast<unsigned char>(s[i + k]);
      if (!IsContinuation(b)) return i;
      cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return i;
    i += extra + 1;
  }
  return std::string_view::npos;
}

std::optional<SourceError> CheckUtf8Text(std::string_view text) {
  const size_t bad = FirstInvalidUtf8(text);
  if (bad == std::string_view::npos) return std::nullopt;
  const auto before = text.substr(0, bad);
  return SourceError{
      .line = 1 + std::count(before.begin(), before.end(), '\n'),
      .message = "is not valid UTF-8 (byte " + std::to_string(bad + 1) + " of the file)"};
}

size_t CharCount(std::string_view s) {
  size_t n = 0;
  for (char c : s) n += IsContinuation(static_cast<unsigned char>(c)) ? 0 : 1;
  return n;
}

}  // namespace vorelka::tools
