// Fuzz entry: an Anki collection database on its own (SQLite, schema 11 or
// 18), the part of a package a stranger controls most.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tests/fuzz/import_check.h"
#include "tools/import/anki_package_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  vorelka::tools::ImportedWords words;
  const auto error = vorelka::tools::ReadAnkiCollectionFile(bytes, {}, &words);
  vorelka::fuzz::CheckImport(error, words);
  return 0;
}
