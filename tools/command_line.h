// Shared pieces of the subcommands: parsing with QCommandLineParser (with
// --help), messages on stderr, and the table option.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace vorelka::tools {

// Parses `arguments` for a command that takes `positional` (name and help).
// Returns an exit code when the command should stop here: 0 after --help,
// kExitUsage (with a message) on an error.
std::optional<int> ParseCommandLine(QCommandLineParser& parser, const QStringList& arguments,
                                    const QString& positional, const QString& positional_help);

// Prints "vorelka-words <command>: <message>" on stderr.
void PrintError(const QString& command, const std::string& message);

inline const QString kDefaultTable = QStringLiteral("Words");

}  // namespace vorelka::tools
