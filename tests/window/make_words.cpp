// Writes the end-to-end run's words.mdb and prints its pairs, one
// "English<TAB>Russian" line per row:  make_words <file> [--empty]
#include <cstdio>
#include <cstring>

#include "tests/window/words_database.h"

int main(int argc, char* argv[]) {
  using vorelka::window::testing::WordRow;
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <words.mdb> [--empty]\n", argv[0]);
    return 2;
  }
  const bool empty = argc > 2 && std::strcmp(argv[2], "--empty") == 0;
  std::vector<WordRow> rows;
  if (!empty) {
    rows = {
        {1, "house", "дом"},   {2, "water", "вода"},  {3, "to read", "читать"},
        {4, "book", "книга"},  {5, "city", "город"},  {6, "friend", "друг"},
        {7, "window", "окно"}, {8, "tree", "дерево"},
    };
  }
  vorelka::window::testing::WriteWordsDatabase(argv[1], rows);
  for (const auto& row : rows) std::printf("%s\t%s\n", row.english.c_str(), row.russian.c_str());
  return 0;
}
