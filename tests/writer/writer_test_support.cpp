#include "tests/writer/writer_test_support.h"

#include "services/error.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "tools/tsv_text.h"

extern char** environ;

namespace vorelka::testing {

RunResult RunProgram(const std::vector<std::string>& arguments, const std::string& input) {
  TempDir io;
  const std::string in_path = (io / "in").string();
  const std::string out_path = (io / "out").string();
  const std::string err_path = (io / "err").string();
  WriteBytes(in_path, input);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in_path.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  std::vector<char*> argv;
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  RunResult result;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  result.out = ReadBytes(out_path);
  result.err = ReadBytes(err_path);
  return result;
}

RunResult MdbSql(const std::filesystem::path& file, const std::string& query) {
  RunResult r = RunProgram({"mdb-sql", "-P", "-H", "-F", file.string()}, query + "\ngo\n");
  r.out.erase(0, r.out.find_first_not_of('\n') == std::string::npos
                     ? r.out.size()
                     : r.out.find_first_not_of('\n'));
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
