// Jet 4's compressed text, decoded as the strictest reader does: every 00
// byte switches mode, whether or not it falls on a character boundary. libmdb
// and mdb-reader step two bytes at a time in uncompressed runs and would not
// notice a stray 00 there; Jackcess (and so, likely, Access) would.
#include <gtest/gtest.h>

#include "jet/write/text_encoding.h"

namespace vorelka::jet::writer {
namespace {

constexpr const Format& kJet4Format = format::kJet4;

std::u16string DecodeStrictly(const std::string& bytes) {
  std::u16string text;
  if (bytes.size() < 2 || static_cast<uint8_t>(bytes[0]) != 0xFF ||
      static_cast<uint8_t>(bytes[1]) != 0xFE) {
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
      text += static_cast<char16_t>(static_cast<uint8_t>(bytes[i]) |
                                    static_cast<uint8_t>(bytes[i + 1]) << 8);
    }
    return text;
  }
  bool compressed = true;
  std::string run;
  auto flush = [&] {
    if (compressed) {
      for (char c : run) text += static_cast<char16_t>(static_cast<uint8_t>(c));
    } else {
      for (size_t i = 0; i + 1 < run.size(); i += 2) {
        text += static_cast<char16_t>(static_cast<uint8_t>(run[i]) |
                                      static_cast<uint8_t>(run[i + 1]) << 8);
      }
    }
    run.clear();
  };
  for (size_t i = 2; i < bytes.size(); ++i) {
    if (bytes[i] == 0) {
      flush();
      compressed = !compressed;
    } else {
      run += bytes[i];
    }
  }
  flush();
  return text;
}

std::u16string Utf16(const std::string& utf8) {
  std::u32string points;
  std::string problem;
  EXPECT_TRUE(DecodeUtf8(utf8, &points, &problem));
  return std::u16string(points.begin(), points.end());
}

TEST(Jet4Text, CompressedTextReadsTheSameUnderTheStrictestReader) {
  for (const char* text : {"hello world привет мир", "a б c д", "Москва — столица России", "x y",
                           "word 42", "ёжик in the fog", "«цитата» and “quote”", "", "ÄÖÜ äöü ß"}) {
    std::string stored;
    std::string problem;
    ASSERT_TRUE(EncodeTextValue(kJet4Format, text, &stored, &problem)) << problem;
    EXPECT_EQ(DecodeStrictly(stored), Utf16(text)) << text;
  }
}

TEST(Jet4Text, CompressesOnlyWhenShorter) {
  std::string stored;
  std::string problem;
  ASSERT_TRUE(EncodeTextValue(kJet4Format, "cat", &stored, &problem));
  EXPECT_EQ(stored,
            "\xFF\xFE"
            "cat");
  ASSERT_TRUE(EncodeTextValue(kJet4Format, "кот", &stored, &problem));
  EXPECT_EQ(stored, "\x3A\x04\x3E\x04\x42\x04");
}

// Access stores a character beyond U+FFFF as its surrogate pair, and counts
// the pair as two of a Text column's 255. A pair never goes into a one-byte
// run; a text whose pair has a 00 low byte (U+1F600 is D83D DE00) cannot be
// compressed at all.
TEST(Jet4Text, StoresCharactersBeyondUcs2AsSurrogatePairs) {
  const struct {
    std::string text;
    std::u16string units;
    bool compressed;
  } cases[] = {
      {"smile \xF0\x9F\x99\x82", u"smile \xD83D\xDE42", true},   // U+1F642
      {"smile \xF0\x9F\x98\x80", u"smile \xD83D\xDE00", false},  // U+1F600
      {"\xF0\x90\x80\x80", u"\xD800\xDC00", false},              // U+10000
      {"\xF4\x8F\xBF\xBF word", u"\xDBFF\xDFFF word", true},     // U+10FFFF
  };
  for (const auto& c : cases) {
    std::string stored;
    std::string problem;
    ASSERT_TRUE(EncodeTextValue(kJet4Format, c.text, &stored, &problem)) << problem;
    EXPECT_EQ(DecodeStrictly(stored), c.units) << c.text;
    EXPECT_EQ(stored.starts_with("\xFF\xFE"), c.compressed) << c.text;
  }
  std::string emoji;
  for (int i = 0; i < 127; ++i) emoji += "\xF0\x9F\x99\x82";
  std::string stored;
  std::string problem;
  EXPECT_TRUE(EncodeTextValue(kJet4Format, emoji + "a", &stored, &problem)) << problem;
  EXPECT_FALSE(EncodeTextValue(kJet4Format, emoji + "ab", &stored, &problem));
  EXPECT_EQ(problem,
            "has 129 characters in 256 UTF-16 units (one beyond U+FFFF takes two); a Text "
            "column holds at most 255");
}

}  // namespace
}  // namespace vorelka::jet::writer
