#include "tools/command_line.h"

#include <QCoreApplication>
#include <cstdio>

#include "services/error.h"
#include "services/error_report.h"
#include "tools/commands.h"

namespace vorelka::tools {

std::optional<int> ParseCommandLine(QCommandLineParser& parser, const QStringList& arguments,
                                    const QString& positional, const QString& positional_help) {
  const QCommandLineOption help = parser.addHelpOption();
  parser.addPositionalArgument(positional, positional_help);
  const QString command = arguments.value(0);
  if (!parser.parse(arguments)) {
    PrintError(command, parser.errorText().toStdString());
    return kExitUsage;
  }
  if (parser.isSet(help)) {
    // Qt names the program by its path; name the command instead.
    QString text = parser.helpText();
    text.replace(QCoreApplication::arguments().value(0), command);
    std::fputs(text.toUtf8().constData(), stdout);
    return kExitOk;
  }
  if (parser.positionalArguments().size() != 1) {
    PrintError(command, "expects one " + positional.toStdString() + " (see --help)");
    return kExitUsage;
  }
  return std::nullopt;
}

std::optional<int> ReadTableOfCommandLine(const QStringList& arguments, const QString& description,
                                          const QString& table_help, std::string* path,
                                          WordTable* table) {
  QCommandLineParser parser;
  parser.setApplicationDescription(description);
  const QCommandLineOption table_option("table", table_help, "name", kDefaultTable);
  parser.addOption(table_option);
  if (auto done = ParseCommandLine(parser, arguments, "file", "The word database (.mdb).")) {
    return done;
  }
  *path = parser.positionalArguments()[0].toStdString();
  try {
    *table = ReadWordTable(*path, parser.value(table_option).toStdString());
  } catch (const services::ErrorRaised& raised) {
    PrintError(arguments.value(0), services::FormatErrorReport(raised.error()));
    return kExitFailure;
  }
  return std::nullopt;
}

void PrintError(const QString& command, const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", command.toUtf8().constData(), message.c_str());
}

}  // namespace vorelka::tools
