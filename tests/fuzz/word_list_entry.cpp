// Fuzz entry: the word-list parser of `vorelka-words build`. The first byte
// picks TSV or CSV (or sniffing); the rest is the list. Every row handed out
// must keep the parser's promises: text within the length limit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/word_list_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  using vorelka::tools::WordListFormat;
  const WordListFormat format = data[0] % 3 == 0   ? WordListFormat::kTsv
                                : data[0] % 3 == 1 ? WordListFormat::kCsv
                                                   : vorelka::tools::SniffFormat(bytes);
  const auto within_limit = [](const std::optional<std::string>& text) {
    return !text || text->size() <= 4 * vorelka::tools::kMaxWordChars;
  };
  vorelka::tools::ParseWordList(bytes, format, [&](const vorelka::tools::WordListRow& row) {
    if (!within_limit(row.english) || !within_limit(row.russian)) std::abort();
    return true;
  });
  return 0;
}
