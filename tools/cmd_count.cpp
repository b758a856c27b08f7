// vorelka-words count FILE
//
// Prints the number of word pairs in FILE, read by the program's own word
// store: the count query, the engine, the error report. After an error the
// report is on standard error, 0 on standard output, and the exit status 1.
#include <cstdio>

#include "services/app_facts.h"
#include "store/word_store.h"
#include "tools/command_line.h"
#include "tools/commands.h"
#include "tools/store_console.h"

namespace vorelka::tools {

int RunCount(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Prints the number of word pairs in a word database, read as the drill reads it.");
  if (auto done = ParseCommandLine(parser, arguments, "file", "The word database (.mdb).")) {
    return *done;
  }
  const services::FixedAppFacts facts(".");
  ReportingConsole console;
  store::WordStore store(facts, console);
  store.UseFile(parser.positionalArguments()[0].toStdString());
  std::printf("%d\n", store.GetWordCount());
  return console.reported() ? kExitFailure : kExitOk;
}

}  // namespace vorelka::tools
