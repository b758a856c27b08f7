// Shared pieces of the subcommands: parsing with QCommandLineParser (with
// --help), messages on stderr, the table option, and reading the table.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

#include "tools/word_table_reader.h"

namespace vorelka::tools {

// Parses `arguments` for a command that takes `positional` (name and help).
// Returns an exit code when the command should stop here: 0 after --help,
// kExitUsage (with a message) on an error.
std::optional<int> ParseCommandLine(QCommandLineParser& parser, const QStringList& arguments,
                                    const QString& positional, const QString& positional_help);

// Prints "vorelka-words <command>: <message>" on stderr.
void PrintError(const QString& command, const std::string& message);

inline const QString kDefaultTable = QStringLiteral("Words");

// For a command that takes a word database and --table NAME (`table_help`):
// parses `arguments` and reads the table into `path` and `table`. Returns an
// exit code when the command should stop here: as ParseCommandLine does, or
// kExitFailure (with the reader's message) when the table cannot be read.
std::optional<int> ReadTableOfCommandLine(const QStringList& arguments, const QString& description,
                                          const QString& table_help, std::string* path,
                                          WordTable* table);

}  // namespace vorelka::tools
