#include "tools/command_line.h"

#include <QCoreApplication>
#include <cstdio>

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
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return kExitOk;
  }
  if (parser.positionalArguments().size() != 1) {
    PrintError(command, "expects one " + positional.toStdString() + " (see --help)");
    return kExitUsage;
  }
  return std::nullopt;
}

void PrintError(const QString& command, const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", command.toLocal8Bit().constData(), message.c_str());
}

}  // namespace vorelka::tools
