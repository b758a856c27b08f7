// The word store: the only code that reads the word database. Every call
// opens "words.mdb", runs one query, reads at most one value and closes it
// again. Failures never escape: they are shown in the standard error report
// and the call returns its neutral result (0 or "").
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "services/app_facts.h"
#include "services/message_box.h"
#include "store/engine.h"

namespace vorelka::store {

class WordStore {
 public:
  // The database is "words.mdb" in facts.Folder(). The engine comes from
  // `make_engine` on first use and is kept for the store's life.
  WordStore(const services::AppFacts& facts, services::MessageBox& box,
            EngineFactory make_engine = MakeJetEngine);
  ~WordStore();
  WordStore(const WordStore&) = delete;
  WordStore& operator=(const WordStore&) = delete;

  // Reads the given file instead, under both path rules (for tools).
  void UseFile(std::string path);

  int32_t GetWordCount();
  std::string GetWord(int32_t lId, bool bEnglish);

 private:
  // "words.mdb" in the folder, by the two rules: the count adds a separator
  // only where the folder lacks one; the lookup always adds one.
  std::string CountPath() const;
  std::string LookupPath() const;
  store::Engine& TheEngine();

  const services::AppFacts& facts_;
  services::MessageBox& box_;
  std::optional<std::string> file_;
  EngineFactory make_engine_;
  std::unique_ptr<store::Engine> engine_;  // created on first use, then kept
};

}  // namespace vorelka::store
