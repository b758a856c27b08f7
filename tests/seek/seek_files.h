// Word databases for the seek tests, written by our own Jet writer, opened
// as the reader opens them and looked into through the index code itself: which pages
// the index has, which keys bound each leaf, and copies of a file with
// chosen bytes of an index page changed.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "jet/read/index_seek.h"
#include "jet/format/page_file.h"
#include "jet/read/open_table.h"
#include "jet/write/words_table_builder.h"
#include "tests/support/test_files.h"

namespace vorelka::jet::seek_testing {

using vorelka::testing::TempDir;

// The English word the test files store for a key.
std::string EnglishOf(int32_t id);

// Writes a Words table holding exactly `ids`; fails the test on a writer
// error.
void WriteWords(const std::filesystem::path& path, JetFormat format,
                const std::vector<int32_t>& ids);

// The Words table of a file, opened as the reader opens it.
class OpenedWords {
 public:
  explicit OpenedWords(const std::filesystem::path& path);
  ~OpenedWords();
  OpenedWords(const OpenedWords&) = delete;
  OpenedWords& operator=(const OpenedWords&) = delete;

  const OpenTable& table() const { return *table_; }
  uint32_t page_size() const { return file_->page_size(); }
  size_t id_column() const { return id_column_; }
  size_t english_column() const { return english_column_; }

  SeekResult Seek(int32_t key) const { return SeekLongKey(*table_, id_column_, key); }
  // The English word of the row the seek finds; "" when it finds none.
  std::string SeekEnglish(int32_t key) const;

 private:
  std::unique_ptr<format::PageFile> file_;
  std::unique_ptr<OpenTable> table_;
  size_t id_column_ = 0;
  size_t english_column_ = 0;
};

// The pages of the primary-key index, as the tree links them.
struct IndexShape {
  uint32_t page_size = 0;
  uint32_t root = 0;
  std::vector<uint32_t> nodes;                           // root first when the root is a node
  std::vector<uint32_t> leaves;                          // in key order
  std::vector<std::pair<int32_t, int32_t>> leaf_bounds;  // first and last key of each leaf
  int depth = 0;                                         // levels, leaves included
};
IndexShape ShapeOfIdIndex(const OpenedWords& words);

// Copies `from` to `to`, then overwrites bytes at `offset` of page `page`.
void CopyWithPatch(const std::filesystem::path& from, const std::filesystem::path& to,
                   uint32_t page_size, uint32_t page, size_t offset,
                   const std::vector<uint8_t>& bytes);
// The bytes of one page of a file.
std::vector<uint8_t> ReadPage(const std::filesystem::path& path, uint32_t page_size, uint32_t page);

}  // namespace vorelka::jet::seek_testing
