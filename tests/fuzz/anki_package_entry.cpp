// Fuzz entry: an Anki package (zip archive, zstd member, SQLite collection),
// with the unpacking limits lowered so that a run stays within memory.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tests/fuzz/import_check.h"
#include "tools/import/anki_package_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  vorelka::tools::UnpackLimits limits;
  limits.max_bytes = 16 * vorelka::tools::kMiB;
  vorelka::tools::ImportedWords words;
  const auto error = vorelka::tools::ReadAnkiPackage(bytes, {}, &words, limits);
  vorelka::fuzz::CheckImport(error, words);
  return 0;
}
