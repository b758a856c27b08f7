// Anki's plain-text export, with and without its header lines, and lists
// with no header row from flash-card sites.
#include <gtest/gtest.h>

#include "tools/import/delimited_text_reader.h"

namespace vorelka::tools {
namespace {

struct Read {
  ImportedWords words;
  std::optional<SourceError> error;
  std::string Error() const {
    return error ? std::to_string(error->line) + ": " + error->message : "no error";
  }
  std::vector<std::string> Pairs() const {
    std::vector<std::string> out;
    for (const ImportedPair& p : words.pairs) out.push_back(p.place + ": " + p.english + " = " + p.russian);
    return out;
  }
};

Read ReadText(const std::string& text, SeparatorHint hint = SeparatorHint::kNone,
              ImportOptions options = {}) {
  Read read;
  read.error = ReadDelimitedText(text, hint, options, &read.words);
  return read;
}

TEST(DelimitedText, HonoursAnkiHeaderLines) {
  const std::string text =
      "#separator:tab\n#html:true\n#notetype column:1\n#deck column:2\n#tags column:5\n"
      "#deck:Russian::Animals\n#columns:Note type\tDeck\tFront\tBack\tTags\n"
      "Basic\tRussian\t<b>кошка</b>\tcat&nbsp;(pet)\tanimals\n"
      "Basic\tRussian\t\"собака\tпёс\"\tdog\tanimals\n"
      "Basic\tRussian\tрыба\t\tanimals\n";
  const Read read = ReadText(text);
  ASSERT_EQ(read.Error(), "no error");
  EXPECT_EQ(read.words.format, "Anki text export (tab-separated, HTML)");
  EXPECT_EQ(read.Pairs(), (std::vector<std::string>{"line 8: cat (pet) = кошка",
                                                    "line 9: dog = собака пёс"}));
  ASSERT_EQ(read.words.skipped.size(), 1u);
  EXPECT_EQ(read.words.skipped[0].place + ": " + read.words.skipped[0].reason,
            "line 10: the English column is empty");
  EXPECT_EQ(read.words.choices,
            std::vector<std::string>{"English = column \"Back\" (mostly Latin letters), Russian = "
                                     "column \"Front\" (mostly Cyrillic letters)"});
  EXPECT_EQ(read.words.ignored,
            std::vector<std::string>{"line 6: #deck:Russian::Animals (not used)"});
}

TEST(DelimitedText, TakesColumnNamesAndKeepsPlainTextPlain) {
  const Read read = ReadText(
      "#separator:Semicolon\n#html:false\n#columns:Russian;English\n"
      "\"a;b <i>\";\"x &amp; y\"\n# a comment line\n\nкот;cat\n");
  ASSERT_EQ(read.Error(), "no error");
  EXPECT_EQ(read.Pairs(), (std::vector<std::string>{"line 4: x &amp; y = a;b <i>",
                                                    "line 7: cat = кот"}));
  EXPECT_EQ(read.words.choices[0],
            "English = column \"English\" (by its name), Russian = column \"Russian\" (by its name)");
}

TEST(DelimitedText, ReadsHeaderlessListsBySeparatorAndScript) {
  // Anki's older "Notes in Plain Text": tab-separated, HTML included.
  const Read older = ReadText("cat<br>\tкот\ndog\t<div>собака</div>\n");
  EXPECT_EQ(older.words.format, "list without a header (tab-separated, HTML)");
  EXPECT_EQ(older.Pairs(), (std::vector<std::string>{"line 1: cat = кот", "line 2: dog = собака"}));
  EXPECT_EQ(ReadText("привет, друг,hello\r\nпока,bye\r\n", SeparatorHint::kNone).Error(),
            "2: has 2 fields; line 1 has 3 (a field that holds the comma needs quotes)");
  EXPECT_EQ(ReadText("\"привет, друг\",hello\r\nпока,bye\r\n").Pairs(),
            (std::vector<std::string>{"line 1: hello = привет, друг", "line 2: bye = пока"}));
  EXPECT_EQ(ReadText("hello;привет\nbye;пока\n").Pairs(),
            (std::vector<std::string>{"line 1: hello = привет", "line 2: bye = пока"}));
  // Without a tab in the text, a .tsv name still says tab.
  EXPECT_EQ(ReadText("hello,привет\n", SeparatorHint::kTab).Error(),
            "0: has 1 column; it needs one English and one Russian");
  // Choose the columns by hand when the script cannot tell.
  const Read three = ReadText("кот\tcat\ta pet\n");
  EXPECT_EQ(three.Error(),
            "0: column 2 and column 3 are all mostly Latin letters; choose the English one with "
            "--english-field");
  EXPECT_EQ(ReadText("кот\tcat\ta pet\n", SeparatorHint::kNone, {{}, {}, std::string("2"), {}}).Pairs(),
            std::vector<std::string>{"line 1: cat = кот"});
}

TEST(DelimitedText, RefusesBadInputNamingTheLine) {
  const struct {
    std::string text;
    std::string error;
  } cases[] = {
      {"#separator:Dash\nа-b\n",
       "1: #separator:Dash is not a separator: use tab, comma, semicolon, space, pipe, colon or "
       "one character"},
      {"#separator:tab\n#html:yes\n", "2: #html:yes must be true or false"},
      {"#separator:tab\n#deck column:0\n", "2: #deck column:0 must be a column number from 1"},
      // The splitter's own faults are tested with it; one shows they come through.
      {"cat\t\"кот\nдом\n", "1: a quoted field is never closed"},
      {"cat\tкот\ndog\t\xD0\n", "2: is not valid UTF-8 (byte 16 of the file)"},
      {"\xEF\xBB\xBF" "cat\tкот\ndog\t\xD0\n", "2: is not valid UTF-8 (byte 19 of the file)"},
      {"#separator:tab\n", "0: holds no rows"},
      {"#separator:tab", "0: holds no rows"},
      {"cat\tdog\n", "0: no column is mostly Cyrillic letters, so none is Russian; name it with "
                     "--russian-field (1, 2)"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadText(c.text).Error(), c.error) << c.text;
}

}  // namespace
}  // namespace vorelka::tools
