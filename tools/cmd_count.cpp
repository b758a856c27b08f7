// vorelka-words count FILE
//
// Prints the number of word pairs in FILE, read by the program's own word
// store (the count query, the engine, the error report). After an error the
// report is on standard error, 0 on standard output, and the exit status 1.
#include <cstdio>
#include <string>
#include <vector>

#include "services/app_facts.h"
#include "store/word_store.h"
#include "tools/store_console.h"

namespace vorelka::tools {

int RunCount(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fputs("usage: vorelka-words count FILE\n", stderr);
    return kExitUsage;
  }
  const services::FixedAppFacts facts(".");
  ReportingConsole console;
  store::WordStore store(facts, console);
  store.UseFile(args[0]);
  std::printf("%d\n", store.GetWordCount());
  return console.reported() ? kExitReported : 0;
}

}  // namespace vorelka::tools
