// The subcommands of vorelka-words. Each lives in its own cmd_<name>.cpp and
// is listed once in the table in main.cpp; it receives its arguments with
// "vorelka-words <name>" first and returns the process exit code.
#pragma once

#include <QStringList>

namespace vorelka::tools {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // bad input, or findings of `check`
inline constexpr int kExitUsage = 2;    // wrong options or arguments

struct Command {
  const char* name;
  const char* summary;
  int (*run)(const QStringList& arguments);
};

int RunBuild(const QStringList& arguments);
int RunList(const QStringList& arguments);
int RunCheck(const QStringList& arguments);
int RunCount(const QStringList& arguments);
int RunShow(const QStringList& arguments);

}  // namespace vorelka::tools
