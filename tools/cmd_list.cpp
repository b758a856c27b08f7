// vorelka-words list FILE [--table NAME]
#include <algorithm>
#include <cstdio>

#include "tools/command_line.h"
#include "tools/commands.h"
#include "tools/tsv_text.h"
#include "tools/word_table_reader.h"

namespace vorelka::tools {

int RunList(const QStringList& arguments) {
  const QString command = arguments.value(0);
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Prints a word database's table as TSV with the columns Id, English and Russian,\n"
      "ordered by Id, in the form `build` reads: Null as \\N, and \\\\ \\t \\n \\r for a\n"
      "backslash, tab, line feed and carriage return inside words.");
  const QCommandLineOption table_option("table", "The table to list (default Words).", "name",
                                        kDefaultTable);
  parser.addOption(table_option);
  if (auto done = ParseCommandLine(parser, arguments, "file", "The word database (.mdb).")) {
    return *done;
  }
  WordTable table;
  std::string problem;
  if (!ReadWordTable(parser.positionalArguments()[0].toStdString(),
                     parser.value(table_option).toStdString(), &table, &problem)) {
    PrintError(command, problem);
    return kExitFailure;
  }
  std::stable_sort(table.rows.begin(), table.rows.end(),
                   [](const StoredWord& a, const StoredWord& b) { return a.id < b.id; });
  std::string out = "Id\tEnglish\tRussian\n";
  for (const StoredWord& row : table.rows) {
    out.append(row.id ? std::to_string(*row.id) : "\\N");
    out.push_back('\t');
    AppendTsvField(row.english, &out);
    out.push_back('\t');
    AppendTsvField(row.russian, &out);
    out.push_back('\n');
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
}

}  // namespace vorelka::tools
