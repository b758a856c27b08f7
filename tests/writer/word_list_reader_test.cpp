// The word-list parser on byte buffers: the forms it accepts and the line
// and wording of what it refuses.
#include <gtest/gtest.h>

#include "tools/word_list_reader.h"

namespace vorelka::tools {
namespace {

struct Parsed {
  std::vector<WordListRow> rows;
  std::optional<SourceError> error;
};

Parsed Parse(std::string_view bytes, WordListFormat format) {
  Parsed parsed;
  parsed.error = ParseWordList(bytes, format, [&](const WordListRow& row) {
    parsed.rows.push_back(row);
    return true;
  });
  return parsed;
}

std::string ErrorOf(std::string_view bytes, WordListFormat format = WordListFormat::kTsv) {
  const Parsed parsed = Parse(bytes, format);
  if (!parsed.error) return "no error";
  return std::to_string(parsed.error->line) + ": " + parsed.error->message;
}

TEST(WordListReader, TsvWithoutIdNumbersRowsFromOneAndKeepsNullsAndEscapes) {
  const Parsed p =
      Parse("\xEF\xBB\xBFRussian\tEnglish\r\nкот\tcat\r\n\\N\t\r\na\\tb\\\\\tx\\ny\n\n",
            WordListFormat::kTsv);
  ASSERT_FALSE(p.error) << p.error->message;
  ASSERT_EQ(p.rows.size(), 3u);
  EXPECT_EQ(p.rows[0].id, 1);
  EXPECT_EQ(p.rows[0].english, "cat");
  EXPECT_EQ(p.rows[0].russian, "кот");
  EXPECT_EQ(p.rows[1].id, 2);
  EXPECT_EQ(p.rows[1].english, "");
  EXPECT_EQ(p.rows[1].russian, std::nullopt);
  EXPECT_EQ(p.rows[2].line, 4);
  EXPECT_EQ(p.rows[2].english, "x\ny");
  EXPECT_EQ(p.rows[2].russian, "a\tb\\");
}

TEST(WordListReader, CsvFollowsRfc4180WithUnquotedNull) {
  const Parsed p =
      Parse("ID,english,RUSSIAN\n-7,\"a, \"\"b\"\"\",\"two\nlines\"\n8,\\N,\"\\N\"\n9,,\n",
            WordListFormat::kCsv);
  ASSERT_FALSE(p.error) << p.error->message;
  ASSERT_EQ(p.rows.size(), 3u);
  EXPECT_EQ(p.rows[0].id, -7);
  EXPECT_EQ(p.rows[0].english, "a, \"b\"");
  EXPECT_EQ(p.rows[0].russian, "two\nlines");
  EXPECT_EQ(p.rows[1].line, 4);
  EXPECT_EQ(p.rows[1].english, std::nullopt);
  EXPECT_EQ(p.rows[1].russian, "\\N");
  EXPECT_EQ(p.rows[2].english, "");
}

TEST(WordListReader, RefusesBadInputNamingTheLine) {
  EXPECT_EQ(ErrorOf(""), "0: is empty: it needs a header row");
  EXPECT_EQ(ErrorOf("\n\n"), "0: is empty: it needs a header row");
  EXPECT_EQ(ErrorOf("English\tGerman\n"),
            "1: unknown column \"German\" in the header; the columns are Id, English and Russian");
  EXPECT_EQ(ErrorOf("English\n"), "1: the header must name the columns English and Russian");
  EXPECT_EQ(ErrorOf("Id\tEnglish\tRussian\tId\n"), "1: column \"Id\" appears twice in the header");
  EXPECT_EQ(ErrorOf("English\tRussian\ncat\tкот\tx\n"), "2: has 3 fields; the header has 2");
  EXPECT_EQ(ErrorOf("English\tRussian\ncat\tкот\n\ndog\tпёс\n"), "3: is blank");
  EXPECT_EQ(ErrorOf("English\tRussian\ncat\t\xD0\n"),
            "2: is not valid UTF-8 (byte 21 of the file)");
  EXPECT_EQ(ErrorOf("\xEF\xBB\xBF"
                    "English\tRussian\ncat\t\xD0\n"),
            "2: is not valid UTF-8 (byte 24 of the file)");
  EXPECT_EQ(ErrorOf("Id\tEnglish\tRussian\n1\ta\tb\nx1\tc\td\n"),
            "3: Id \"x1\" is not a whole number");
  EXPECT_EQ(ErrorOf("Id\tEnglish\tRussian\n2147483648\ta\tb\n"),
            "2: Id 2147483648 is out of range (-2147483648 to 2147483647)");
  EXPECT_EQ(ErrorOf("Id\tEnglish\tRussian\n99999999999999999999\ta\tb\n"),
            "2: Id 99999999999999999999 is out of range (-2147483648 to 2147483647)");
  EXPECT_EQ(ErrorOf("Id\tEnglish\tRussian\n\\N\ta\tb\n"), "2: has no Id");
  EXPECT_EQ(ErrorOf("Id\tEnglish\tRussian\n4\ta\tb\n5\tc\td\n4\te\tf\n"),
            "4: repeats Id 4 of line 2");
  EXPECT_EQ(ErrorOf("English\tRussian\n" + std::string(256, 'a') + "\tb\n"),
            "2: English has 256 characters; a word holds at most 255");
  // The splitter's own faults are tested with it; one shows they come through.
  EXPECT_EQ(ErrorOf("English,Russian\n\"a,b\n", WordListFormat::kCsv),
            "2: a quoted field is never closed");
}

TEST(WordListReader, AcceptsExactly255CharactersCountingCharactersNotBytes) {
  std::string word;
  for (int i = 0; i < 255; ++i) word += "ж";
  EXPECT_EQ(ErrorOf("English\tRussian\na\t" + word + "\n"), "no error");
}

TEST(WordListReader, ChoosesTheFormatByNameThenByHeader) {
  EXPECT_EQ(FormatFromFileName("list.CSV"), WordListFormat::kCsv);
  EXPECT_EQ(FormatFromFileName("list.tsv"), WordListFormat::kTsv);
  EXPECT_EQ(FormatFromFileName("list"), std::nullopt);
  EXPECT_EQ(SniffFormat("English,Russian\n"), WordListFormat::kCsv);
  EXPECT_EQ(SniffFormat("English\tRussian\na,b\tc\n"), WordListFormat::kTsv);
}

}  // namespace
}  // namespace vorelka::tools
