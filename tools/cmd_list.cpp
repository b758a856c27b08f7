// vorelka-words list FILE [--table NAME]
#include <algorithm>
#include <cstdio>

#include "tools/command_line.h"
#include "tools/commands.h"
#include "tools/tsv_text.h"
#include "tools/word_table_reader.h"

namespace vorelka::tools {

int RunList(const QStringList& arguments) {
  std::string path;
  WordTable table;
  if (auto done = ReadTableOfCommandLine(
          arguments,
          "Prints a word database's table as TSV with the columns Id, English and Russian,\n"
          "ordered by Id, in the form `build` reads: Null as \\N, and \\\\ \\t \\n \\r for a\n"
          "backslash, tab, line feed and carriage return inside words.",
          "The table to list (default Words).", &path, &table)) {
    return *done;
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
