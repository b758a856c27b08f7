#include "jet/write/text_encoding.h"

#include <cstdio>

#include "jet/format/text_value.h"
#include "jet/write/cp1251_table.h"

namespace vorelka::jet::writer {

using namespace format;  // NOLINT(google-build-using-namespace): the format this writes
using namespace text;    // NOLINT(google-build-using-namespace)
namespace {

constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kFirstLowSurrogate = 0xDC00;
constexpr char32_t kLastSurrogate = 0xDFFF;
constexpr char32_t kLastBmpCodePoint = 0xFFFF;
constexpr char32_t kByteOrderMark = 0xFEFF;

std::string Utf8Of(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

std::string Describe(char32_t c) {
  if (c < 0x20 || c == 0x7F) return CodePointName(c);
  return "'" + Utf8Of(c) + "' (" + CodePointName(c) + ")";
}

bool CheckLength(size_t chars, std::string* problem) {
  if (chars <= kMaxTextChars) return true;
  *problem = "has " + std::to_string(chars) + " characters; a Text column holds at most " +
             std::to_string(kMaxTextChars);
  return false;
}

// Jet 4 counts a Text column's length in UTF-16 units, as Access does.
bool CheckUnits(const std::u32string& text, const std::u16string& units, std::string* problem) {
  if (units.size() == text.size()) return CheckLength(text.size(), problem);
  if (units.size() <= kMaxTextChars) return true;
  *problem = "has " + std::to_string(text.size()) + " characters in " +
             std::to_string(units.size()) +
             " UTF-16 units (one beyond U+FFFF takes two); a Text column holds at most " +
             std::to_string(kMaxTextChars);
  return false;
}

bool HasNoNul(const std::u32string& text, std::string* problem) {
  if (text.find(U'\0') == std::u32string::npos) return true;
  *problem = "contains a NUL character (U+0000)";
  return false;
}

// UTF-16, as Access stores Jet 4 text: a character beyond U+FFFF becomes
// its surrogate pair.
void ToUtf16(const std::u32string& text, std::u16string* units) {
  units->clear();
  units->reserve(text.size());
  for (char32_t c : text) {
    if (c > kLastBmpCodePoint) {
      const char32_t offset = c - (kLastBmpCodePoint + 1);
      units->push_back(static_cast<char16_t>(kFirstSurrogate + (offset >> 10)));
      units->push_back(static_cast<char16_t>(kFirstLowSurrogate + (offset & 0x3FF)));
    } else {
      units->push_back(static_cast<char16_t>(c));
    }
  }
}

void PutUcs2(std::string* out, char16_t unit) {
  out->push_back(static_cast<char>(unit & 0xFF));
  out->push_back(static_cast<char>(unit >> 8));
}

// Access's compressed form; false when the text has a unit whose low byte
// is 0, which a reader would take for a mode switch. Units below U+0100 always
// go in compressed mode, so that no 00 byte appears inside an uncompressed
// run either: some readers (Jackcess) switch modes at any 00. Surrogates lie
// far above U+0100, so a pair always stays whole in an uncompressed run.
bool CompressUcs2(const std::u16string& units, std::string* out) {
  for (char16_t unit : units) {
    if ((unit & 0xFF) == 0) return false;
  }
  out->clear();
  out->push_back(static_cast<char>(kCompressedMarker0));
  out->push_back(static_cast<char>(kCompressedMarker1));
  bool compressed = true;
  for (char16_t unit : units) {
    const bool narrow = unit < kNarrowLimit;
    if (narrow != compressed) {
      out->push_back(static_cast<char>(kModeSwitch));
      compressed = narrow;
    }
    if (compressed) {
      out->push_back(static_cast<char>(unit));
    } else {
      PutUcs2(out, unit);
    }
  }
  return true;
}

// Names stay within UCS-2: a table definition's names are not Text values.
bool CheckUcs2Name(const std::u32string& text, std::string* problem) {
  if (!HasNoNul(text, problem)) return false;
  for (char32_t c : text) {
    if (c > kLastBmpCodePoint) {
      *problem = "has the character " + Describe(c) +
                 ", which lies outside UCS-2 and Jet 4 names cannot hold";
      return false;
    }
  }
  return true;
}

bool ToCp1251(const std::u32string& text, std::string* out, std::string* problem) {
  out->clear();
  out->reserve(text.size());
  if (!HasNoNul(text, problem)) return false;
  for (char32_t c : text) {
    std::optional<uint8_t> byte = Cp1251ByteOf(c);
    if (!byte) {
      *problem = "has the character " + Describe(c) + ", which code page 1251 cannot hold";
      return false;
    }
    out->push_back(static_cast<char>(*byte));
  }
  return true;
}

}  // namespace

std::string CodePointName(char32_t c) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
  return buffer;
}

bool DecodeUtf8(std::string_view utf8, std::u32string* out, std::string* problem) {
  out->clear();
  out->reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<uint8_t>(utf8[i]);
    if (lead < 0x80) {
      out->push_back(lead);
      ++i;
      continue;
    }
    size_t extra = 0;
    char32_t c = 0;
    char32_t min = 0;
    if ((lead & 0xE0) == 0xC0) {
      extra = 1, c = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, c = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, c = lead & 0x07, min = 0x10000;
    } else {
      *problem = "is not valid UTF-8 (byte " + std::to_string(i + 1) + ")";
      return false;
    }
    if (utf8.size() - i < extra + 1) {
      *problem = "is not valid UTF-8 (truncated sequence at byte " + std::to_string(i + 1) + ")";
      return false;
    }
    for (size_t k = 1; k <= extra; ++k) {
      const auto b = static_cast<uint8_t>(utf8[i + k]);
      if ((b & 0xC0) != 0x80) {
        *problem = "is not valid UTF-8 (byte " + std::to_string(i + k + 1) + ")";
        return false;
      }
      c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > kMaxCodePoint || (c >= kFirstSurrogate && c <= kLastSurrogate)) {
      *problem = "is not valid UTF-8 (byte " + std::to_string(i + 1) + ")";
      return false;
    }
    out->push_back(c);
    i += extra + 1;
  }
  return true;
}

bool EncodeTextValue(const Format& format, std::string_view utf8, std::string* out,
                     std::string* problem) {
  thread_local std::u32string text;
  if (!DecodeUtf8(utf8, &text, problem)) return false;
  if (format.id == JetFormat::kJet3) {
    return CheckLength(text.size(), problem) && ToCp1251(text, out, problem);
  }
  thread_local std::u16string units;
  ToUtf16(text, &units);
  if (!HasNoNul(text, problem) || !CheckUnits(text, units, problem)) return false;
  thread_local std::string compressed;
  const bool can_compress = CompressUcs2(units, &compressed);
  if (can_compress && compressed.size() < 2 * units.size()) {
    out->swap(compressed);
    return true;
  }
  if (!units.empty() && units[0] == kByteOrderMark) {
    // Plain UCS-2 would begin FF FE, the compressed marker: store it compressed.
    if (!can_compress) {
      *problem = "begins with " + CodePointName(kByteOrderMark) +
                 " and has a character Jet 4 can then only store in plain UCS-2";
      return false;
    }
    out->swap(compressed);
    return true;
  }
  out->clear();
  out->reserve(2 * units.size());
  for (char16_t unit : units) PutUcs2(out, unit);
  return true;
}

bool EncodeName(const Format& format, std::string_view utf8, std::string* out,
                std::string* problem) {
  std::u32string text;
  if (!DecodeUtf8(utf8, &text, problem)) return false;
  if (format.id == JetFormat::kJet3) return ToCp1251(text, out, problem);
  if (!CheckUcs2Name(text, problem)) return false;
  out->clear();
  for (char32_t c : text) PutUcs2(out, static_cast<char16_t>(c));
  return true;
}

}  // namespace vorelka::jet::writer
