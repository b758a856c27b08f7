// Writes a words.mdb for the session tests: `count` pairs whose words carry
// a tag, so a test can tell one file's words from another's.
//   reliability_make_words FILE TAG [COUNT]
//   -> English "<TAG> N", Russian "<TAG> N" with the tag spelt in Cyrillic
#include <cstdio>
#include <cstdlib>
#include <string>

#include "jet/write/words_table_builder.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s FILE TAG [COUNT]\n", argv[0]);
    return 2;
  }
  const std::string tag = argv[2];
  const int count = argc > 3 ? std::atoi(argv[3]) : 50;
  // The few tags the tests use, in Cyrillic letters for the Russian column.
  const std::string russian_tag = tag == "alpha"   ? "альфа"
                                  : tag == "omega" ? "омега"
                                  : tag == "gamma" ? "гамма"
                                                   : tag;
  vorelka::jet::WordsTableBuilder builder(argv[1]);
  for (int id = 1; id <= count; ++id) {
    builder.Add({id, {tag + " " + std::to_string(id), russian_tag + " " + std::to_string(id)}});
  }
  const auto status = builder.Finish();
  if (!status.ok()) {
    std::fprintf(stderr, "%s\n", status.message().c_str());
    return 1;
  }
  return 0;
}
