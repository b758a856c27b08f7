// vorelka-words build SOURCE -o FILE [--format jet4|jet3] [--dry-run]
//                     [--english ID --russian ID] [--english-field F --russian-field F]
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "services/utf8_path.h"
#include "tools/build_steps.h"
#include "tools/command_line.h"
#include "tools/commands.h"
#include "tools/import/import_limits.h"
#include "tools/text_basics.h"

namespace vorelka::tools {
namespace {

bool ReadWholeFile(const std::string& path, std::string* bytes, std::string* problem) {
  std::error_code size_error;
  const uintmax_t size = std::filesystem::file_size(services::PathFromUtf8(path), size_error);
  if (!size_error && size > kMaxSourceBytes) {
    *problem = path + " has " + std::to_string(size) + " bytes; sources over " +
               std::to_string(kMaxSourceBytes) + " bytes are refused";
    return false;
  }
  std::ifstream in(services::PathFromUtf8(path), std::ios::binary);
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

std::optional<std::string> ValueOf(const QCommandLineParser& parser,
                                   const QCommandLineOption& option) {
  if (!parser.isSet(option)) return std::nullopt;
  return parser.value(option).toStdString();
}

}  // namespace

int RunBuild(const QStringList& arguments) {
  const QString command = arguments.value(0);
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Builds a word database from a word list, a KDE vocabulary file or an Anki deck.\n\n"
      "The source's content tells its form, whatever its extension:\n"
      "- a UTF-8 TSV or CSV list whose header names the columns English and Russian, and\n"
      "  optionally Id, in any order. Without Id the keys run 1..N in file order. An empty\n"
      "  field is an empty word; a field that is exactly \\N (unquoted in CSV) is Null. In\n"
      "  TSV, \\\\ \\t \\n \\r stand for a backslash, tab, line feed and carriage return;\n"
      "- a list with no header row, two columns split by tabs (else commas, semicolons or\n"
      "  bars): the mostly Cyrillic column is Russian, the other English;\n"
      "- Anki's plain-text export, honouring its #separator:, #html:, #columns: and\n"
      "  #... column: lines;\n"
      "- a KDE vocabulary file (.kvtml 1.0 or 2.0, KWordQuiz, Parley): English and\n"
      "  Russian are picked by locale or name; --english and --russian pick others;\n"
      "- an Anki package (.apkg, older or current): one pair per note, the fields picked\n"
      "  by their names (English, Russian), else by script; HTML is read as plain text.\n"
      "  --english-field/--russian-field given by name apply to the note types that have\n"
      "  that field; note types that need different fields are refused.\n"
      "Imported pairs are keyed 1..N in source order. Notes, entries and lines whose\n"
      "English or Russian word is empty, or holds a character the --format cannot hold\n"
      "(Jet 3: outside code page 1251), are skipped and reported; a word list with a\n"
      "header refuses such a row.\n\n"
      "On any fault nothing is written and an existing FILE is left as it was.");
  const QCommandLineOption output({"o", "output"}, "Write the database to <file>.", "file");
  const QCommandLineOption format_option(
      "format", "Jet 4 (Access 2000, the default) or Jet 3 (Access 97, code page 1251).",
      "jet4|jet3", "jet4");
  const QCommandLineOption dry_run("dry-run",
                                   "Run every check of the build and print what would be "
                                   "written (the choice of columns, the count, the first rows, "
                                   "what is skipped); write nothing.");
  const QCommandLineOption english("english",
                                   "KDE file: the English identifier (id, locale or name).", "id");
  const QCommandLineOption russian("russian",
                                   "KDE file: the Russian identifier (id, locale or name).", "id");
  const QCommandLineOption english_field(
      "english-field", "Anki deck or list: the English field or column (name, or number from 1).",
      "name|n");
  const QCommandLineOption russian_field(
      "russian-field", "Anki deck or list: the Russian field or column (name, or number from 1).",
      "name|n");
  for (const QCommandLineOption* option :
       {&output, &format_option, &dry_run, &english, &russian, &english_field, &russian_field}) {
    parser.addOption(*option);
  }
  if (auto done = ParseCommandLine(parser, arguments, "source",
                                   "The word list, .kvtml file, .apkg package or text export.")) {
    return *done;
  }
  if (!parser.isSet(output) && !parser.isSet(dry_run)) {
    PrintError(command, "needs -o FILE, the database to write (see --help)");
    return kExitUsage;
  }
  const std::string format_value = parser.value(format_option).toStdString();
  const std::string format_name = AsciiLower(format_value);
  if (format_name != "jet4" && format_name != "jet3") {
    PrintError(command, "unknown --format \"" + format_value + "\": use jet4 or jet3");
    return kExitUsage;
  }
  BuildRequest request;
  request.command = command;
  request.source = parser.positionalArguments()[0].toStdString();
  request.target = parser.value(output).toStdString();
  request.format = format_name == "jet3" ? jet::JetFormat::kJet3 : jet::JetFormat::kJet4;
  request.dry_run = parser.isSet(dry_run);
  request.options = {ValueOf(parser, english), ValueOf(parser, russian),
                     ValueOf(parser, english_field), ValueOf(parser, russian_field)};

  std::string bytes;
  std::string problem;
  if (!ReadWholeFile(request.source, &bytes, &problem)) {
    PrintError(command, problem);
    return kExitFailure;
  }
  SourceKind kind;
  if (auto contradiction = DetectSource(bytes, request.source, &kind)) {
    PrintError(command, FormatSourceError(*contradiction));
    return kExitFailure;
  }
  // Options that do not fit the source would be ignored in silence otherwise.
  const bool identifiers = request.options.english_id || request.options.russian_id;
  const bool fields = request.options.english_field || request.options.russian_field;
  if (identifiers && kind != SourceKind::kKvtml) {
    PrintError(command, request.source +
                            ": --english and --russian pick the identifiers of a "
                            "KDE file; for this source use --english-field and "
                            "--russian-field");
    return kExitUsage;
  }
  if (fields && (kind == SourceKind::kKvtml || kind == SourceKind::kWordList)) {
    PrintError(command, request.source + (kind == SourceKind::kKvtml
                                              ? ": is a KDE file; pick its identifiers with "
                                                "--english and --russian"
                                              : ": is a word list whose header names English "
                                                "and Russian; it needs no field options"));
    return kExitUsage;
  }
  return kind == SourceKind::kWordList ? BuildFromWordList(request, bytes)
                                       : BuildFromImport(request, bytes, kind);
}

}  // namespace vorelka::tools
