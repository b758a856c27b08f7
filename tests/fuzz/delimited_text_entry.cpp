// Fuzz entry: Anki's text export and lists without a header. The first byte
// picks the file name's separator hint and the user's column choice.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tests/fuzz/import_check.h"
#include "tools/import/delimited_text_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  using vorelka::tools::SeparatorHint;
  const SeparatorHint hint = data[0] % 3 == 0   ? SeparatorHint::kNone
                             : data[0] % 3 == 1 ? SeparatorHint::kTab
                                                : SeparatorHint::kComma;
  vorelka::tools::ImportedWords words;
  const auto error = vorelka::tools::ReadDelimitedText(
      bytes, hint, vorelka::fuzz::OptionsFromByte(static_cast<uint8_t>(data[0] & 0xF0)), &words);
  vorelka::fuzz::CheckImport(error, words);
  return 0;
}
