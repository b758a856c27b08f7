// vorelka-words build SOURCE -o FILE [--format jet4|jet3]
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "jet/write/words_table_builder.h"
#include "tools/command_line.h"
#include "tools/commands.h"
#include "tools/word_list_reader.h"

namespace vorelka::tools {
namespace {

constexpr int64_t kProgressThreshold = 100000;  // rows before progress is shown
constexpr int kProgressSteps = 10;

bool ReadWholeFile(const std::string& path, std::string* bytes, std::string* problem) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *problem = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) {
    *problem = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  *bytes = std::move(buffer).str();
  return true;
}

}  // namespace

int RunBuild(const QStringList& arguments) {
  const QString command = arguments.value(0);
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Builds a word database from a UTF-8 word list.\n\n"
      "The list is TSV or CSV (by its extension, .tsv or .csv, else by its header line).\n"
      "Its header names the columns English and Russian, and optionally Id, in any order.\n"
      "Without Id the keys run 1..N in file order. An empty field is an empty word; a\n"
      "field that is exactly \\N (unquoted in CSV) is Null. In TSV, \\\\ \\t \\n \\r stand\n"
      "for a backslash, tab, line feed and carriage return.\n\n"
      "On any fault nothing is written and an existing FILE is left as it was.");
  const QCommandLineOption output({"o", "output"}, "Write the database to <file>.", "file");
  const QCommandLineOption format_option(
      "format", "Jet 4 (Access 2000, the default) or Jet 3 (Access 97, code page 1251).",
      "jet4|jet3", "jet4");
  parser.addOption(output);
  parser.addOption(format_option);
  if (auto done = ParseCommandLine(parser, arguments, "source", "The word list (TSV or CSV).")) {
    return *done;
  }
  if (!parser.isSet(output)) {
    PrintError(command, "needs -o FILE, the database to write (see --help)");
    return kExitUsage;
  }
  const QString format_name = parser.value(format_option).toLower();
  if (format_name != "jet4" && format_name != "jet3") {
    PrintError(command, "unknown --format \"" + format_name.toStdString() + "\": use jet4 or jet3");
    return kExitUsage;
  }
  const jet::JetFormat format =
      format_name == "jet3" ? jet::JetFormat::kJet3 : jet::JetFormat::kJet4;
  const std::string source = parser.positionalArguments()[0].toStdString();
  const std::string target = parser.value(output).toStdString();

  std::string bytes;
  std::string problem;
  if (!ReadWholeFile(source, &bytes, &problem)) {
    PrintError(command, problem);
    return kExitFailure;
  }
  const WordListFormat list_format =
      FormatFromFileName(source).value_or(SniffFormat(std::string_view(bytes)));
  const int64_t estimated_rows = std::count(bytes.begin(), bytes.end(), '\n');
  const bool show_progress = estimated_rows >= kProgressThreshold;
  const int64_t progress_step = std::max<int64_t>(1, estimated_rows / kProgressSteps);

  jet::WordsTableBuilder builder(target, format);
  if (!builder.status().ok()) {
    PrintError(command, builder.status().message());
    return kExitFailure;
  }
  int64_t rows = 0;
  std::string row_problem;
  std::optional<WordListError> error =
      ParseWordList(bytes, list_format, [&](const WordListRow& row) {
        builder.Add({row.id, {row.english, row.russian}});
        if (!builder.status().ok()) {
          row_problem = source + ":" + std::to_string(row.line) + ": " + builder.status().message();
          return false;
        }
        if (show_progress && ++rows % progress_step == 0) {
          std::fprintf(stderr, "%s: %lld of about %lld rows\n", command.toLocal8Bit().constData(),
                       static_cast<long long>(rows), static_cast<long long>(estimated_rows));
        }
        return true;
      });
  if (error || !row_problem.empty()) {
    builder.Abandon();
    if (!row_problem.empty()) {
      PrintError(command, row_problem);
    } else if (error->line > 0) {
      PrintError(command, source + ":" + std::to_string(error->line) + ": " + error->message);
    } else {
      PrintError(command, source + " " + error->message);
    }
    return kExitFailure;
  }
  const jet::Status status = builder.Finish();
  if (!status.ok()) {
    PrintError(command, target + ": " + status.message());
    return kExitFailure;
  }
  if (show_progress) {
    std::fprintf(stderr, "%s: wrote %llu rows to %s\n", command.toLocal8Bit().constData(),
                 static_cast<unsigned long long>(builder.NumRows()), target.c_str());
  }
  return kExitOk;
}

}  // namespace vorelka::tools
