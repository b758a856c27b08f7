// Fuzz entry: the word store over a words.mdb made of the input bytes. The
// count, then the words of a few keys in both languages: whatever the bytes,
// each call returns (a value or an error report) without crashing, hanging
// or leaking.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "services/app_facts.h"
#include "services/message_box.h"
#include "store/word_store.h"
#include "tests/fuzz/memory_file.h"

namespace {

class QuietMessageBox final : public vorelka::services::MessageBox {
 public:
  void Show(std::string_view, vorelka::services::MessageStyle) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path =
      vorelka::fuzz::MemoryFileWith(data, vorelka::fuzz::WholePages(data, size));
  const vorelka::services::FixedAppFacts facts("/");
  QuietMessageBox box;
  vorelka::store::WordStore store(facts, box);
  store.UseFile(path);
  const int32_t count = store.GetWordCount();
  // The first and last key a drill asks for, and one the input chooses
  // (its last four bytes, which the pages seldom need): each call opens and
  // reads the whole file again, so a few keys are enough.
  int32_t chosen = 0;
  if (size >= sizeof chosen) std::memcpy(&chosen, data + size - sizeof chosen, sizeof chosen);
  store.GetWord(1, true);
  store.GetWord(count, false);
  store.GetWord(chosen, (chosen & 1) != 0);
  return 0;
}
