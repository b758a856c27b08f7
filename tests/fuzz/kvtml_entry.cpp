// Fuzz entry: a KDE vocabulary file. The first byte picks --english and
// --russian; the rest is the file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tests/fuzz/import_check.h"
#include "tools/import/kvtml_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  vorelka::tools::ImportedWords words;
  const auto error = vorelka::tools::ReadKvtml(bytes, vorelka::fuzz::OptionsFromByte(data[0]), &words);
  vorelka::fuzz::CheckImport(error, words);
  return 0;
}
