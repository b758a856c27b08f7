// The one splitter of delimited text, in each syntax: records with the line
// they start on, Nulls apart from empty text, and the line of each fault.
#include <gtest/gtest.h>

#include "tools/delimited_fields.h"

namespace vorelka::tools {
namespace {

// "line:field|field" per record, ∅ for Null; or "fault line: message".
std::string Split(std::string_view text, FieldSyntax syntax, int64_t first_line = 1) {
  DelimitedFields reader(text, syntax, first_line);
  std::vector<DelimitedField> fields;
  std::string out;
  while (!reader.AtEnd()) {
    const int64_t line = reader.line();
    if (auto error = reader.Next(&fields)) {
      return out + "fault " + std::to_string(error->line) + ": " + error->message;
    }
    out += std::to_string(line) + ":";
    for (size_t i = 0; i < fields.size(); ++i) {
      out += (i > 0 ? "|" : "") + (fields[i].null ? std::string("∅") : fields[i].text);
    }
    out += " ";
  }
  return out;
}

TEST(DelimitedFields, SplitsEachSyntaxAsItsSourcesWriteIt) {
  const struct {
    std::string_view text;
    FieldSyntax syntax;
    std::string records;
  } cases[] = {
      // TSV: escapes and Null, no quoting, a CR only dropped at a line's end.
      {"a\tb\r\nc\\td\t\\N\n\"x\"\te\\\\\\n", kTsvFields, "1:a|b 2:c\td|∅ 3:\"x\"|e\\\n "},
      {"a\rb\tc\r", kTsvFields, "1:a\rb|c "},
      {"\n\n", kTsvFields, "1: 2: "},
      // CSV: quoted fields span lines and hold commas and doubled quotes;
      // only an unquoted \N is Null.
      {"\"a,\"\"b\"\"\",\"two\nlines\"\r\n\\N,\"\\N\",\n\"c\"\r\n", kCsvFields,
       "1:a,\"b\"|two\nlines 3:∅|\\N| 4:c "},
      // Anki: any separator, and a quote inside an unquoted field is text.
      {"a\"b;\"c;d\";\\N\n", AnkiFields(';'), "1:a\"b|c;d|\\N "},
  };
  for (const auto& c : cases) EXPECT_EQ(Split(c.text, c.syntax), c.records) << c.text;
  // Text that starts further into its source counts its lines from there.
  EXPECT_EQ(Split("x\n\"y\nz\"\n", AnkiFields('\t'), 7), "7:x 8:y\nz ");
}

TEST(DelimitedFields, NamesTheLineOfEachFault) {
  const struct {
    std::string_view text;
    FieldSyntax syntax;
    std::string result;
  } cases[] = {
      {"a\n\"b\nc", kCsvFields, "1:a fault 2: a quoted field is never closed"},
      {"\"b\nc\"d,e", kCsvFields, "fault 2: text follows a closing quote"},
      {"a,b\"c", kCsvFields,
       "fault 1: a quote inside an unquoted field (quote the field and double the quote)"},
      {"a\nb\\x", kTsvFields,
       "1:a fault 2: unknown escape in \"b\\x\" (a backslash starts \\\\, \\t, \\n, \\r or \\N)"},
      {"a\\", kTsvFields,
       "fault 1: unknown escape in \"a\\\" (a backslash starts \\\\, \\t, \\n, \\r or \\N)"},
  };
  for (const auto& c : cases) EXPECT_EQ(Split(c.text, c.syntax), c.result) << c.text;
}

}  // namespace
}  // namespace vorelka::tools
