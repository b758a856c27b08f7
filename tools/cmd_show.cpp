// vorelka-words show FILE ID [--english|--russian]
//
// Prints the word of key ID in FILE, English unless --russian is given,
// read as the drill reads it (the lookup query, the engine, the error
// report). A key with no row, or a null word, prints an empty line. After
// an error the report is on standard error and the exit status is 1.
#include <QString>
#include <charconv>
#include <cstdio>
#include <string>

#include "services/app_facts.h"
#include "store/word_store.h"
#include "tools/command_line.h"
#include "tools/commands.h"
#include "tools/store_console.h"

namespace vorelka::tools {
namespace {

constexpr char kHelp[] =
    "Usage: vorelka-words show FILE ID [--english|--russian]\n"
    "Prints the English (default) or Russian word of key ID in a word database,\n"
    "read as the drill reads it. A key with no row prints an empty line.\n";

// A key in plain decimal that fits in 32 bits, a leading "-" allowed.
bool ParseKey(const std::string& text, int32_t& key) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, key);
  return !text.empty() && error == std::errc() && stop == end;
}

}  // namespace

int RunShow(const QStringList& arguments) {
  const QString command = arguments.value(0);
  // Parsed by hand: a negative key would pass for an option with Qt's parser.
  bool english = true;
  QStringList positional;
  for (const QString& argument : arguments.mid(1)) {
    if (argument == "--help" || argument == "-h") {
      std::fputs(kHelp, stdout);
      return kExitOk;
    }
    if (argument == "--english") {
      english = true;
    } else if (argument == "--russian") {
      english = false;
    } else {
      positional.append(argument);
    }
  }
  if (positional.size() != 2) {
    PrintError(command, "expects a FILE and an ID (see --help)");
    return kExitUsage;
  }
  int32_t key = 0;
  if (!ParseKey(positional[1].toStdString(), key)) {
    PrintError(command,
               "'" + positional[1].toStdString() + "' is not a key (a 32-bit whole number)");
    return kExitUsage;
  }
  const services::FixedAppFacts facts(".");
  ReportingConsole console;
  store::WordStore store(facts, console);
  store.UseFile(positional[0].toStdString());
  const std::string word = store.GetWord(key, english);
  std::printf("%s\n", word.c_str());
  return console.reported() ? kExitFailure : kExitOk;
}

}  // namespace vorelka::tools
