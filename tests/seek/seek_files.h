// Word databases for the seek tests, written by our own Jet writer and
// opened as the reader opens them. Which pages the index has and which keys
// bound each leaf come from the independent walker (index_walk.h), not from
// the index code under test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "jet/format/page_file.h"
#include "jet/read/index_seek.h"
#include "jet/read/open_table.h"
#include "tests/support/jet_image.h"
#include "tests/support/test_files.h"
#include "tests/writer/index_walk.h"

namespace vorelka::jet::seek_testing {

using testing::IndexWalk;
using testing::JetImage;
using testing::TempDir;

// Writes a Words table holding exactly `ids`, with the words of
// testing::RowsWithKeys; fails the test on a writer error.
void WriteWords(const std::filesystem::path& path, JetFormat format,
                const std::vector<int32_t>& ids);

// The primary-key index of Words; fails the test on any fault the walker
// finds.
IndexWalk WalkIndex(const std::filesystem::path& path);

// The Words table of a file, opened as the reader opens it.
class OpenedWords {
 public:
  explicit OpenedWords(const std::filesystem::path& path);
  ~OpenedWords();
  OpenedWords(const OpenedWords&) = delete;
  OpenedWords& operator=(const OpenedWords&) = delete;

  const OpenTable& table() const { return *table_; }
  size_t id_column() const { return id_column_; }

  SeekResult Seek(int32_t key) const { return SeekLongKey(*table_, id_column_, key); }
  // The English word of the row the seek finds; "" when it finds none.
  std::string SeekEnglish(int32_t key) const;

 private:
  std::unique_ptr<format::PageFile> file_;
  std::unique_ptr<OpenTable> table_;
  size_t id_column_ = 0;
  size_t english_column_ = 0;
};

}  // namespace vorelka::jet::seek_testing
