// Word databases for the window's tests, written by our own Jet writer.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vorelka::window::testing {

struct WordRow {
  int32_t id;
  std::string english;
  std::string russian;
};

// Writes a words.mdb holding exactly these rows in its Words table.
void WriteWordsDatabase(const std::filesystem::path& file, const std::vector<WordRow>& rows);

}  // namespace vorelka::window::testing
