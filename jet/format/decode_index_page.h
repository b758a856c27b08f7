// Reading one page of an index B-tree (index_page.h), decoded and checked: node pages (0x03) lead
// to child pages, leaf pages (0x04) to data rows. Entries are stored
// prefix-compressed behind a bitmap that marks where each one ends.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "jet/format/page_file.h"

namespace vorelka::jet::format {

struct IndexEntry {
  std::span<const uint8_t> key;  // with the page's shared prefix put back
  uint32_t data_page = 0;
  uint8_t data_row = 0;
  uint32_t child_page = 0;  // node pages only
};

class IndexPage {
 public:
  // Decodes page `number` of the index of the table defined at `owner`.
  // nullopt when the page is page 0 or beyond the file, or not such an
  // index page, or an entry reaches past
  // the page, or the entries are not in strictly ascending order.
  static std::optional<IndexPage> Read(PageFile& file, uint32_t number, uint32_t owner);

  bool leaf() const { return leaf_; }
  uint32_t tail_page() const { return tail_page_; }  // node pages: the child after the last entry
  const std::vector<IndexEntry>& entries() const { return entries_; }

  IndexPage(const IndexPage&) = delete;
  IndexPage& operator=(const IndexPage&) = delete;
  IndexPage(IndexPage&&) = default;
  IndexPage& operator=(IndexPage&&) = default;

 private:
  IndexPage() = default;

  bool leaf_ = false;
  uint32_t tail_page_ = 0;
  std::vector<uint8_t> bytes_;  // every entry in full, end to end
  std::vector<IndexEntry> entries_;
};

// Lexicographic order of key bytes, the order index entries are sorted in.
int CompareKeys(std::span<const uint8_t> a, std::span<const uint8_t> b);

}  // namespace vorelka::jet::format
