#include "tests/window/words_database.h"

#include <stdexcept>

#include "jet/write/words_table_builder.h"

namespace vorelka::window::testing {

void WriteWordsDatabase(const std::filesystem::path& file, const std::vector<WordRow>& rows) {
  jet::WordsTableBuilder builder(file);
  for (const auto& row : rows) builder.Add({row.id, {row.english, row.russian}});
  const jet::Status status = builder.Finish();
  if (!status.ok())
    throw std::runtime_error("cannot write " + file.string() + ": " + status.message());
}

}  // namespace vorelka::window::testing
