// Word databases for the seek tests, written by our own Jet writer and
// opened as the reader opens them. Which pages the index has and which keys
// bound each leaf come from the independent walker (index_walk.h), not from
// the index code under test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "jet/format/page_file.h"
#include "jet/read/catalog_lookup.h"
#include "jet/read/index_seek.h"
#include "jet/read/open_table.h"
#include "tests/support/jet_image.h"
#include "tests/support/test_files.h"
#include "tests/writer/index_walk.h"

namespace vorelka::jet::seek_testing {

using testing::IndexWalk;
using testing::JetImage;
using testing::TempDir;

// A Words table holding exactly `ids`, with the words of
// testing::RowsWithKeys.
inline void WriteWords(const std::filesystem::path& path, JetFormat format,
                       const std::vector<int32_t>& ids) {
  testing::WriteWords(path, format, testing::RowsWithKeys(ids));
}

// The primary-key index of Words; fails the test on any fault the walker
// finds.
inline IndexWalk WalkIndex(const std::filesystem::path& path) {
  IndexWalk walk = testing::WalkPrimaryKey(path);
  EXPECT_TRUE(walk.faults.empty()) << walk.faults.front();
  return walk;
}

// The Words table of a file, opened as the reader opens it.
struct OpenedWords {
  explicit OpenedWords(const std::filesystem::path& path)
      : file(path.string()),
        table(file, FindTable(file, "Words").definition_page, "Words"),
        id_column(table.FindColumn("Id").value()) {}
  SeekResult Seek(int32_t key) const { return SeekLongKey(table, id_column, key); }

  format::PageFile file;
  const OpenTable table;
  const size_t id_column;
};

}  // namespace vorelka::jet::seek_testing
