// Jet 4's compressed text, decoded as the strictest reader does: every 00
// byte switches mode, whether or not it falls on a character boundary. libmdb
// and mdb-reader step two bytes at a time in uncompressed runs and would not
// notice a stray 00 there; Jackcess (and so, likely, Access) would.
#include <gtest/gtest.h>

#include <optional>

#include "jet/write/text_encoding.h"

namespace vorelka::jet::writer {
namespace {

constexpr const Format& kJet4Format = format::kJet4;

std::u16string DecodeStrictly(const std::string& bytes) {
  const bool marked = bytes.starts_with("\xFF\xFE");
  bool compressed = marked;
  std::u16string text;
  std::string run;
  auto flush = [&] {
    for (size_t i = 0; i < run.size(); i += compressed ? 1 : 2) {
      text += static_cast<char16_t>(static_cast<uint8_t>(run[i]) |
                                    (compressed ? 0 : static_cast<uint8_t>(run.at(i + 1)) << 8));
    }
    run.clear();
  };
  for (size_t i = marked ? 2 : 0; i < bytes.size(); ++i) {
    if (marked && bytes[i] == 0) {
      flush();
      compressed = !compressed;
    } else {
      run += bytes[i];
    }
  }
  flush();
  return text;
}

// Access stores a character beyond U+FFFF as its surrogate pair, and counts
// the pair as two of a Text column's 255. A pair never goes into a one-byte
// run; a text whose pair has a 00 low byte (U+1F600 is D83D DE00) cannot be
// compressed at all. A unit whose low byte is 00 (U+0400, U+0100) cannot go
// into a one-byte run either, and a text that starts with U+FEFF must not
// pass for compressed.
TEST(Jet4Text, CompressesOnlyWhenShorterAndReadsTheSameUnderTheStrictestReader) {
  const struct {
    std::string text;
    std::u16string units;
    std::optional<bool> compressed;  // unset: either
  } cases[] = {
      {"cat", u"cat", true},
      {"кот", u"кот", false},
      {"hello world привет мир", u"hello world привет мир", true},
      {"Москва — столица России", u"Москва — столица России", {}},
      {"ёжик in the fog", u"ёжик in the fog", {}},
      {"«цитата» and “quote”", u"«цитата» and “quote”", {}},
      {"a б c д", u"a б c д", {}},
      {"ÄÖÜ äöü ß x y word 42", u"ÄÖÜ äöü ß x y word 42", {}},
      {"", u"", {}},
      {"Ѐ and Ā", u"Ѐ and Ā", {}},
      {"\xEF\xBB\xBF", u"\xFEFF", {}},
      {"\xEF\xBB\xBFначало", u"\xFEFFначало", {}},
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
    if (c.compressed) {
      EXPECT_EQ(stored.starts_with("\xFF\xFE"), *c.compressed) << c.text;
    }
  }
}

TEST(Jet4Text, CountsACharacterBeyondUcs2AsTwoOfTheColumns255) {
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
