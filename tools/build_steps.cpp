#include "tools/build_steps.h"

#include <algorithm>
#include <cstdio>

#include "services/utf8_path.h"
#include "tools/build_report.h"
#include "tools/command_line.h"
#include "tools/commands.h"
#include "tools/word_list_reader.h"

namespace vorelka::tools {
namespace {

constexpr int64_t kProgressThreshold = 100000;  // rows before progress is shown
constexpr int kProgressSteps = 10;

std::string FormatName(jet::JetFormat format) {
  return format == jet::JetFormat::kJet3 ? "Jet 3" : "Jet 4";
}

// Leaves out the pairs the target format cannot hold (Jet 3 holds only code
// page 1251), as the importers leave out pairs with an empty side: each is
// reported and the rest is built. Runs the writer's own checks, so that a
// dry run refuses or skips exactly what the build would.
std::optional<SourceError> KeepPairsTheFormatHolds(const BuildRequest& request,
                                                   ImportedWords* words) {
  jet::WordRowCheck check(request.format);
  std::vector<ImportedPair> kept;
  kept.reserve(words->pairs.size());
  for (ImportedPair& pair : words->pairs) {
    std::string problem =
        check.Problem({static_cast<int32_t>(kept.size() + 1), {pair.english, pair.russian}});
    if (problem.empty()) {
      kept.push_back(std::move(pair));
    } else {
      words->skipped.push_back({pair.place, std::move(problem)});
    }
  }
  words->pairs = std::move(kept);
  if (!words->pairs.empty()) return std::nullopt;
  return SourceError{
      .file = request.source,
      .message = "holds no word pairs that a " + FormatName(request.format) + " file can hold"};
}

void PrintSkipped(const BuildRequest& request, const std::vector<SkippedItem>& skipped) {
  for (const SkippedItem& item : skipped) {
    PrintError(request.command, request.source + ": " + item.place + ": skipped: " + item.reason);
  }
}

}  // namespace

int BuildFromWordList(const BuildRequest& request, std::string_view bytes) {
  const QString& command = request.command;
  const std::string& source = request.source;
  const WordListFormat list_format =
      FormatFromFileName(source).value_or(SniffFormat(std::string_view(bytes)));
  if (request.dry_run) {
    BuildPreview preview;
    preview.source = source;
    preview.format = list_format == WordListFormat::kCsv ? "word list, CSV with a header"
                                                         : "word list, TSV with a header";
    // Our own lists are strict: a row the format cannot hold is refused, as
    // the build refuses it, and never skipped.
    jet::WordRowCheck check(request.format);
    std::optional<SourceError> row_problem;
    std::optional<SourceError> error =
        ParseWordList(bytes, list_format, [&](const WordListRow& row) {
          if (std::string problem = check.Problem({row.id, {row.english, row.russian}});
              !problem.empty()) {
            row_problem =
                FaultOnLine(row.line, jet::RowName(preview.count + 1, row.id) + ": " + problem);
            return false;
          }
          if (preview.first_rows.size() < kPreviewRows) {
            preview.first_rows.push_back({row.id, row.english, row.russian});
          }
          ++preview.count;
          return true;
        });
    if (row_problem) error = row_problem;
    if (error) {
      error->file = source;
      PrintError(command, FormatSourceError(*error));
      return kExitFailure;
    }
    preview.choices.push_back("English and Russian as the header names them");
    PrintPreview(preview, stdout);
    return kExitOk;
  }

  const int64_t estimated_rows = std::count(bytes.begin(), bytes.end(), '\n');
  const bool show_progress = estimated_rows >= kProgressThreshold;
  const int64_t progress_step = std::max<int64_t>(1, estimated_rows / kProgressSteps);
  jet::WordsTableBuilder builder(services::PathFromUtf8(request.target), request.format);
  if (!builder.status().ok()) {
    PrintError(command, builder.status().message());
    return kExitFailure;
  }
  int64_t rows = 0;
  std::optional<SourceError> row_problem;
  std::optional<SourceError> error = ParseWordList(bytes, list_format, [&](const WordListRow& row) {
    builder.Add({row.id, {row.english, row.russian}});
    if (!builder.status().ok()) {
      row_problem = FaultOnLine(row.line, builder.status().message());
      return false;
    }
    if (show_progress && ++rows % progress_step == 0) {
      std::fprintf(stderr, "%s: %lld of about %lld rows\n", command.toUtf8().constData(),
                   static_cast<long long>(rows), static_cast<long long>(estimated_rows));
    }
    return true;
  });
  if (error || row_problem) {
    builder.Abandon();
    SourceError& fault = row_problem ? *row_problem : *error;
    fault.file = source;
    PrintError(command, FormatSourceError(fault));
    return kExitFailure;
  }
  const jet::Status status = builder.Finish();
  if (!status.ok()) {
    PrintError(command, request.target + ": " + status.message());
    return kExitFailure;
  }
  if (show_progress) {
    std::fprintf(stderr, "%s: wrote %llu rows to %s\n", command.toUtf8().constData(),
                 static_cast<unsigned long long>(builder.NumRows()), request.target.c_str());
  }
  return kExitOk;
}

int BuildFromImport(const BuildRequest& request, std::string_view bytes, SourceKind kind) {
  ImportedWords words;
  if (auto error = ImportWords(bytes, request.source, kind, request.options, &words)) {
    PrintError(request.command, FormatSourceError(*error));
    return kExitFailure;
  }
  if (auto error = KeepPairsTheFormatHolds(request, &words)) {
    PrintSkipped(request, words.skipped);
    PrintError(request.command, FormatSourceError(*error));
    return kExitFailure;
  }
  if (request.dry_run) {
    BuildPreview preview;
    preview.source = request.source;
    preview.format = words.format;
    preview.count = words.pairs.size();
    preview.choices = words.choices;
    preview.skipped = words.skipped;
    preview.ignored = words.ignored;
    for (size_t i = 0; i < words.pairs.size() && i < kPreviewRows; ++i) {
      preview.first_rows.push_back(
          {static_cast<int32_t>(i + 1), words.pairs[i].english, words.pairs[i].russian});
    }
    PrintPreview(preview, stdout);
    return kExitOk;
  }
  jet::WordsTableBuilder builder(services::PathFromUtf8(request.target), request.format);
  if (!builder.status().ok()) {
    PrintError(request.command, builder.status().message());
    return kExitFailure;
  }
  for (size_t i = 0; i < words.pairs.size(); ++i) {
    const ImportedPair& pair = words.pairs[i];
    builder.Add({static_cast<int32_t>(i + 1), {pair.english, pair.russian}});
    if (!builder.status().ok()) {
      builder.Abandon();
      PrintError(request.command, FormatSourceError({.file = request.source,
                                                     .place = pair.place,
                                                     .message = builder.status().message()}));
      return kExitFailure;
    }
  }
  const jet::Status status = builder.Finish();
  if (!status.ok()) {
    PrintError(request.command, request.target + ": " + status.message());
    return kExitFailure;
  }
  // Reported, never dropped in silence; the build itself succeeded.
  PrintSkipped(request, words.skipped);
  return kExitOk;
}

}  // namespace vorelka::tools
