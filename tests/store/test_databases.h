// Word databases for the store's tests, written by our own Jet writer into a
// fresh temporary folder per fixture and read back by the real engine.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "jet/words_table_builder.h"

namespace vorelka::store::testing {

struct Pair {
  int32_t id;
  std::optional<std::string> english;
  std::optional<std::string> russian;
};

// A temporary folder, removed with everything in it at the end of the test.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string Child(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Writes a database at `path`; fails the test if the writer reports an error.
void WriteWords(const std::filesystem::path& path, const std::vector<Pair>& pairs,
                jet::JetFormat format = jet::JetFormat::kJet4, jet::TableSchema schema = {});

// Writes `bytes` to a file at `path`.
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
std::string ReadBytes(const std::filesystem::path& path);

// Keys 1..count with words "english <n>" and "russian <n>".
std::vector<Pair> NumberedPairs(int32_t count);

}  // namespace vorelka::store::testing
