// An independent reader of a table's primary-key index, for the tests: it
// takes the index's root from libmdb's reading of the table definition and
// then parses the index pages itself, byte by byte, checking everything a
// seek over them relies on.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace vorelka::testing {

struct IndexWalk {
  std::vector<std::string> faults;  // empty when the index is sound
  std::vector<int32_t> keys;        // in leaf order
  int levels = 0;                   // 1 when the root is a leaf
  size_t leaf_pages = 0;
  size_t node_pages = 0;
  size_t prefixed_leaves = 0;  // leaves that share a key prefix
  uint32_t root_page = 0;
  std::vector<uint32_t> leaves;                          // in key order
  std::vector<std::pair<int32_t, int32_t>> leaf_bounds;  // first and last key of each leaf
};

// Walks the primary key of `table`. Checks: page types and owners, the entry
// mask and free space, prefix expansion, keys in strictly ascending order and
// decoded as Longs, node entries equal to their child's last entry, the tail
// pointer naming the last child, every leaf at the same depth, the leaf chain
// and the sibling links of node pages, the key count against the table's row
// count, and that every row pointer reaches a row holding that key.
IndexWalk WalkPrimaryKey(const std::filesystem::path& file, const std::string& table = "Words");

}  // namespace vorelka::testing
