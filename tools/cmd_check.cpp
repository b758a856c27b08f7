// vorelka-words check FILE [--table NAME]
#include <cstdio>

#include "tools/command_line.h"
#include "tools/commands.h"
#include "tools/word_table_check.h"
#include "tools/word_table_reader.h"

namespace vorelka::tools {

int RunCheck(const QStringList& arguments) {
  std::string path;
  WordTable table;
  if (auto done = ReadTableOfCommandLine(
          arguments,
          "Reports what the drill would trip over in a word database: keys that do not run\n"
          "1..count without gaps, duplicate keys, and Null or blank words. Exits with 1 when\n"
          "it finds any, 0 when the table is sound.",
          "The table to check (default Words).", &path, &table)) {
    return *done;
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
