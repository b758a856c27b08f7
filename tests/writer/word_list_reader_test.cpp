// The word-list parser on byte buffers: the forms it accepts and the line
// and wording of what it refuses.
#include <gtest/gtest.h>

#include "tools/word_list_reader.h"

namespace vorelka::tools {
namespace {

// "line:id|english|russian" per row, ∅ for Null; or "line: message" of the
// fault.
std::string Parse(std::string_view bytes, WordListFormat format = WordListFormat::kTsv) {
  std::string rows;
  const auto error = ParseWordList(bytes, format, [&](const WordListRow& row) {
    const auto text = [](const auto& t) { return t ? *t : std::string("∅"); };
    rows += std::to_string(row.line) + ":" + std::to_string(row.id) + "|" + text(row.english) +
            "|" + text(row.russian) + " ";
    return true;
  });
  return error ? std::to_string(error->line) + ": " + error->message : rows;
}

TEST(WordListReader, TsvWithoutIdNumbersRowsFromOneAndKeepsNullsAndEscapes) {
  EXPECT_EQ(Parse("\xEF\xBB\xBFRussian\tEnglish\r\nкот\tcat\r\n\\N\t\r\na\\tb\\\\\tx\\ny\n\n"),
            "2:1|cat|кот 3:2||∅ 4:3|x\ny|a\tb\\ ");
}

TEST(WordListReader, CsvFollowsRfc4180WithUnquotedNull) {
  EXPECT_EQ(Parse("ID,english,RUSSIAN\n-7,\"a, \"\"b\"\"\",\"two\nlines\"\n8,\\N,\"\\N\"\n9,,\n",
                  WordListFormat::kCsv),
            "2:-7|a, \"b\"|two\nlines 4:8|∅|\\N 5:9|| ");
}

TEST(WordListReader, RefusesBadInputNamingTheLine) {
  EXPECT_EQ(Parse("\n\n"), "0: is empty: it needs a header row");
  EXPECT_EQ(Parse("English\tGerman\n"),
            "1: unknown column \"German\" in the header; the columns are Id, English and Russian");
  EXPECT_EQ(Parse("English\n"), "1: the header must name the columns English and Russian");
  EXPECT_EQ(Parse("Id\tEnglish\tRussian\tId\n"), "1: column \"Id\" appears twice in the header");
  EXPECT_EQ(Parse("English\tRussian\ncat\tкот\tx\n"), "2: has 3 fields; the header has 2");
  EXPECT_EQ(Parse("English\tRussian\ncat\tкот\n\ndog\tпёс\n"), "3: is blank");
  EXPECT_EQ(Parse("English\tRussian\ncat\t\xD0\n"), "2: is not valid UTF-8 (byte 21 of the file)");
  EXPECT_EQ(Parse("\xEF\xBB\xBF"
                  "English\tRussian\ncat\t\xD0\n"),
            "2: is not valid UTF-8 (byte 24 of the file)");
  EXPECT_EQ(Parse("Id\tEnglish\tRussian\n1\ta\tb\nx1\tc\td\n"),
            "3: Id \"x1\" is not a whole number");
  EXPECT_EQ(Parse("Id\tEnglish\tRussian\n2147483648\ta\tb\n"),
            "2: Id 2147483648 is out of range (-2147483648 to 2147483647)");
  EXPECT_EQ(Parse("Id\tEnglish\tRussian\n99999999999999999999\ta\tb\n"),
            "2: Id 99999999999999999999 is out of range (-2147483648 to 2147483647)");
  EXPECT_EQ(Parse("Id\tEnglish\tRussian\n\\N\ta\tb\n"), "2: has no Id");
  EXPECT_EQ(Parse("Id\tEnglish\tRussian\n4\ta\tb\n5\tc\td\n4\te\tf\n"),
            "4: repeats Id 4 of line 2");
  EXPECT_EQ(Parse("English\tRussian\n" + std::string(256, 'a') + "\tb\n"),
            "2: English has 256 characters; a word holds at most 255");
  // Characters are counted, not bytes.
  std::string word;
  for (int i = 0; i < 255; ++i) word += "ж";
  EXPECT_EQ(Parse("English\tRussian\na\t" + word + "\n"), "2:1|a|" + word + " ");
  // The splitter's own faults are tested with it; one shows they come through.
  EXPECT_EQ(Parse("English,Russian\n\"a,b\n", WordListFormat::kCsv),
            "2: a quoted field is never closed");
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
