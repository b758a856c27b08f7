// What `vorelka-words build --dry-run` prints: the source's form, how the
// English and Russian words were chosen, the count, what was skipped or not
// used, and the first rows as `list` would print them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "tools/import/imported_words.h"

namespace vorelka::tools {

inline constexpr size_t kPreviewRows = 10;

struct PreviewRow {
  int32_t id = 0;
  std::optional<std::string> english;
  std::optional<std::string> russian;
};

struct BuildPreview {
  std::string source;
  std::string format;
  uint64_t count = 0;
  std::vector<PreviewRow> first_rows;  // at most kPreviewRows
  std::vector<std::string> choices;
  std::vector<SkippedItem> skipped;
  std::vector<std::string> ignored;
};

void PrintPreview(const BuildPreview& preview, FILE* out);

}  // namespace vorelka::tools
