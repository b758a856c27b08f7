#include "tests/writer/writer_test_support.h"

#include "services/error.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "tools/tsv_text.h"

namespace vorelka::testing {

RunResult RunProgram(const std::vector<std::string>& arguments, const std::string& input) {
  TempDir io;
  WriteBytes(io / "in", input);
  // Through the shell, each word quoted, a ' within it as '\''.
  const auto quoted = [](const std::string& word) {
    std::string out = "'";
    for (const char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
  };
  std::string command;
  for (const std::string& word : arguments) command += quoted(word) + " ";
  command += "<" + quoted(io / "in") + " >" + quoted(io / "out") + " 2>" + quoted(io / "err");
  const int status = std::system(command.c_str());
  RunResult result;
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = ReadBytes(io / "out");
  result.err = ReadBytes(io / "err");
  return result;
}

RunResult MdbSql(const std::filesystem::path& file, const std::string& query) {
  RunResult r = RunProgram({"mdb-sql", "-P", "-H", "-F", file.string()}, query + "\ngo\n");
  r.out.erase(0, std::min(r.out.find_first_not_of('\n'), r.out.size()));
  return r;
}

std::vector<Words> ReadWords(const std::filesystem::path& file, const std::string& table) {
  tools::WordTable read;
  try {
    read = tools::ReadWordTable(file.string(), table);
  } catch (const services::ErrorRaised& raised) {
    ADD_FAILURE() << raised.error().description;
  }
  std::vector<Words> rows;
  for (const tools::StoredWord& row : read.rows) {
    EXPECT_TRUE(row.id.has_value()) << "a row with a Null Id";
    rows.push_back({row.id.value_or(0), row.english, row.russian});
  }
  return rows;
}

std::string AsTsv(const std::vector<Words>& rows) {
  std::string out = "Id\tEnglish\tRussian\n";
  for (const Words& row : rows) {
    out += std::to_string(row.id) + "\t";
    tools::AppendTsvField(row.english, &out);
    out += "\t";
    tools::AppendTsvField(row.russian, &out);
    out += "\n";
  }
  return out;
}

std::string RowsByMdbReader(const std::filesystem::path& file) {
  const RunResult r =
      RunProgram({"node", VORELKA_DUMP_ROWS_SCRIPT, VORELKA_NODE_MODULES, file.string()});
  EXPECT_EQ(r.exit_code, 0) << r.err;
  return r.out;
}

}  // namespace vorelka::testing
