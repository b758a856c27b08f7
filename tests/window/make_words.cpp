// Writes the end-to-end run's words.mdb and prints its pairs, one
// "English<TAB>Russian" line per row:  make_words <file> [--empty]
#include <cstdio>
#include <cstring>

#include "jet/write/words_table_builder.h"

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <words.mdb> [--empty]\n", argv[0]);
    return 2;
  }
  const bool empty = argc > 2 && std::strcmp(argv[2], "--empty") == 0;
  const char* const pairs[][2] = {
      {"house", "дом"},  {"water", "вода"},  {"to read", "читать"}, {"book", "книга"},
      {"city", "город"}, {"friend", "друг"}, {"window", "окно"},    {"tree", "дерево"},
  };
  vorelka::jet::WordsTableBuilder builder(argv[1]);
  for (int32_t id = 1; !empty && id <= 8; ++id) {
    const auto& [english, russian] = pairs[id - 1];
    builder.Add({id, {english, russian}});
    std::printf("%s\t%s\n", english, russian);
  }
  const vorelka::jet::Status status = builder.Finish();
  if (!status.ok()) std::fprintf(stderr, "%s\n", status.message().c_str());
  return status.ok() ? 0 : 1;
}
