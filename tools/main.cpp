// vorelka-words: builds, lists and checks word databases.
//
//   vorelka-words <command> [options] ...   (vorelka-words <command> --help)
//   vorelka-words --help | --version
#include <QCoreApplication>
#include <cstdio>
#include <cstring>

#include "services/app_facts.h"
#include "services/console.h"
#include "tools/commands.h"

namespace {

using vorelka::tools::Command;

// One line per command.
constexpr Command kCommands[] = {
    {"build", "build a word database from a word list, .kvtml file or Anki deck",
     vorelka::tools::RunBuild},
    {"list", "print a word database's table as TSV", vorelka::tools::RunList},
    {"check", "report what the drill would trip over in a word database", vorelka::tools::RunCheck},
    {"count", "print the number of word pairs, read as the drill reads it",
     vorelka::tools::RunCount},
    {"show", "print the word of a key, read as the drill reads it", vorelka::tools::RunShow},
};

void PrintUsage(FILE* out) {
  std::fputs("Usage: vorelka-words <command> [options]\n\nCommands:\n", out);
  for (const Command& command : kCommands) {
    std::fprintf(out, "  %-8s %s\n", command.name, command.summary);
  }
  std::fputs(
      "\nOptions:\n  -h, --help  print this help\n  --version   print the program's version\n"
      "\nRun vorelka-words <command> --help for a command's options.\n",
      out);
}

}  // namespace

int main(int argc, char** argv) {
  vorelka::services::UseUtf8Console();
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName("vorelka-words");
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() < 2 || arguments[1] == "--help" || arguments[1] == "-h") {
    PrintUsage(arguments.size() < 2 ? stderr : stdout);
    return arguments.size() < 2 ? vorelka::tools::kExitUsage : vorelka::tools::kExitOk;
  }
  if (arguments[1] == "--version") {
    const std::string version =
        vorelka::services::FormatVersion(vorelka::services::ProcessAppFacts().GetVersion());
    std::printf("vorelka-words %s\n", version.c_str());
    return vorelka::tools::kExitOk;
  }
  for (const Command& command : kCommands) {
    if (arguments[1] == QLatin1String(command.name)) {
      QStringList rest = arguments.mid(2);
      rest.prepend(QStringLiteral("vorelka-words ") + command.name);
      return command.run(rest);
    }
  }
  std::fprintf(stderr, "vorelka-words: unknown command \"%s\"\n\n",
               arguments[1].toUtf8().constData());
  PrintUsage(stderr);
  return vorelka::tools::kExitUsage;
}
