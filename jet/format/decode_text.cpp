#include "jet/format/decode_text.h"

#include <vector>

#include "jet/format/text_value.h"
#include "services/code_page.h"

namespace vorelka::jet::format {
namespace {

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

bool IsHighSurrogate(char16_t u) {
  return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(char16_t u) {
  return u >= 0xDC00 && u <= 0xDFFF;
}

std::string Utf16ToUtf8(const std::vector<char16_t>& units) {
  std::string out;
  out.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    if (IsHighSurrogate(u) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
      AppendUtf8(0x10000 + ((char32_t{u} - 0xD800) << 10) + (units[i + 1] - 0xDC00), out);
      ++i;
    } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
      out.push_back('?');
    } else {
      AppendUtf8(u, out);
    }
  }
  return out;
}

// The units of a compressed value: runs of one byte a character (the low
// byte of a unit whose high byte is 0) and runs of whole units, each run
// ended by a mode-switch byte. It starts in the one-byte mode.
std::vector<char16_t> Expand(std::span<const uint8_t> runs) {
  std::vector<char16_t> units;
  units.reserve(runs.size());
  bool narrow = true;
  for (size_t i = 0; i < runs.size();) {
    if (runs[i] == text::kModeSwitch) {
      narrow = !narrow;
      ++i;
    } else if (narrow) {
      units.push_back(runs[i++]);
    } else if (i + 1 < runs.size()) {
      units.push_back(static_cast<char16_t>(runs[i] | runs[i + 1] << 8));
      i += 2;
    } else {
      break;  // half a unit at the end
    }
  }
  return units;
}

}  // namespace

std::string DecodeText(const HeaderFacts& header, std::span<const uint8_t> stored) {
  if (header.format->id == JetFormat::kJet3) return services::CodePageToUtf8(header.code_page, stored);
  if (stored.size() >= 2 && stored[0] == text::kCompressedMarker0 &&
      stored[1] == text::kCompressedMarker1) {
    return Utf16ToUtf8(Expand(stored.subspan(2)));
  }
  std::vector<char16_t> units(stored.size() / 2);  // an odd last byte is no unit
  for (size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(stored[2 * i] | stored[2 * i + 1] << 8);
  }
  return Utf16ToUtf8(units);
}

}  // namespace vorelka::jet::format
