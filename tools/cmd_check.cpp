// vorelka-words check FILE [--table NAME]
#include <cstdio>

#include "tools/command_line.h"
#include "tools/commands.h"
#include "tools/word_table_check.h"
#include "tools/word_table_reader.h"

namespace vorelka::tools {

int RunCheck(const QStringList& arguments) {
  const QString command = arguments.value(0);
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Reports what the drill would trip over in a word database: keys that do not run\n"
      "1..count without gaps, duplicate keys, and Null or blank words. Exits with 1 when\n"
      "it finds any, 0 when the table is sound.");
  const QCommandLineOption table_option("table", "The table to check (default Words).", "name",
                                        kDefaultTable);
  parser.addOption(table_option);
  if (auto done = ParseCommandLine(parser, arguments, "file", "The word database (.mdb).")) {
    return *done;
  }
  const std::string path = parser.positionalArguments()[0].toStdString();
  WordTable table;
  std::string problem;
  if (!ReadWordTable(path, parser.value(table_option).toStdString(), &table, &problem)) {
    PrintError(command, problem);
    return kExitFailure;
  }
  const std::vector<std::string> findings = FindDrillProblems(table);
  for (const std::string& finding : findings)
    std::printf("%s: %s\n", path.c_str(), finding.c_str());
  if (!findings.empty()) return kExitFailure;
  std::printf("%s: %zu word pairs, keys 1 to %zu, no problems found\n", path.c_str(),
              table.rows.size(), table.rows.size());
  return kExitOk;
}

}  // namespace vorelka::tools
