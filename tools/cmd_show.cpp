// vorelka-words show FILE ID [--english|--russian]
//
// Prints the word of key ID in FILE, English unless --russian is given,
// read by the program's own word store. A key with no row, or a null word,
// prints an empty line. After an error the report is on standard error and
// the exit status is 1.
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "services/app_facts.h"
#include "store/word_store.h"
#include "tools/store_console.h"

namespace vorelka::tools {
namespace {

constexpr char kUsage[] = "usage: vorelka-words show FILE ID [--english|--russian]\n";

// A key in plain decimal that fits in 32 bits, as the store takes it.
bool ParseKey(const std::string& text, int32_t& key) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, key);
  return error == std::errc() && stop == end && !text.empty();
}

}  // namespace

int RunShow(const std::vector<std::string>& args) {
  if (args.size() < 2 || args.size() > 3) {
    std::fputs(kUsage, stderr);
    return kExitUsage;
  }
  int32_t key = 0;
  if (!ParseKey(args[1], key)) {
    std::fprintf(stderr, "vorelka-words show: '%s' is not a key (a 32-bit whole number)\n",
                 args[1].c_str());
    return kExitUsage;
  }
  bool english = true;
  if (args.size() == 3) {
    if (args[2] == "--russian") {
      english = false;
    } else if (args[2] != "--english") {
      std::fputs(kUsage, stderr);
      return kExitUsage;
    }
  }
  const services::FixedAppFacts facts(".");
  ReportingConsole console;
  store::WordStore store(facts, console);
  store.UseFile(args[0]);
  const std::string word = store.GetWord(key, english);
  std::printf("%s\n", word.c_str());
  return console.reported() ? kExitReported : 0;
}

}  // namespace vorelka::tools
