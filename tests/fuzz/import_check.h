// What every importer promises for any input, checked by the fuzz entry
// points: either a fault with a message, or pairs with both words present.
#pragma once

#include <cstdlib>
#include <optional>

#include "tools/import/imported_words.h"

namespace vorelka::fuzz {

inline void CheckImport(const std::optional<tools::SourceError>& error,
                        const tools::ImportedWords& words) {
  if (error) {
    if (error->message.empty()) std::abort();
    return;
  }
  for (const tools::ImportedPair& pair : words.pairs) {
    if (pair.english.empty() || pair.russian.empty() || pair.place.empty()) std::abort();
  }
  for (const tools::SkippedItem& item : words.skipped) {
    if (item.reason.empty()) std::abort();
  }
}

// Options picked by one input byte, so that the fuzzer also walks the
// user's choices.
inline tools::ImportOptions OptionsFromByte(uint8_t byte) {
  tools::ImportOptions options;
  if (byte & 1) options.english_id = (byte & 4) ? "en" : "0";
  if (byte & 2) options.russian_id = (byte & 8) ? "Russian" : "1";
  if (byte & 16) options.english_field = (byte & 64) ? "Back" : "2";
  if (byte & 32) options.russian_field = (byte & 128) ? "front" : "1";
  return options;
}

}  // namespace vorelka::fuzz
