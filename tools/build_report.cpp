#include "tools/build_report.h"

#include "tools/tsv_text.h"

namespace vorelka::tools {

void PrintPreview(const BuildPreview& preview, FILE* out) {
  std::string text = "Dry run: nothing is written.\nSource: " + preview.source + " (" +
                     preview.format + ")\n";
  for (const std::string& choice : preview.choices) text += "Columns: " + choice + "\n";
  text += "Would write " + std::to_string(preview.count) + " word pair" +
          (preview.count == 1 ? "" : "s") + ".\n";
  if (!preview.skipped.empty()) {
    text += "Would skip " + std::to_string(preview.skipped.size()) + ":\n";
    for (const SkippedItem& item : preview.skipped) text += "  " + item.place + ": " + item.reason + "\n";
  }
  if (!preview.ignored.empty()) {
    text += "Not used:\n";
    for (const std::string& line : preview.ignored) text += "  " + line + "\n";
  }
  if (!preview.first_rows.empty()) {
    text += preview.first_rows.size() < preview.count
                ? "First " + std::to_string(preview.first_rows.size()) + " rows:\n"
                : std::string("Rows:\n");
    text += "Id\tEnglish\tRussian\n";
    for (const PreviewRow& row : preview.first_rows) {
      text += std::to_string(row.id) + "\t";
      AppendTsvField(row.english, &text);
      text += "\t";
      AppendTsvField(row.russian, &text);
      text += "\n";
    }
  }
  std::fputs(text.c_str(), out);
}

}  // namespace vorelka::tools
