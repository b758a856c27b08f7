#include "jet/index_definitions.h"

#include <cstring>

namespace vorelka::jet {

namespace {

using index_layout::Layout;

// A table definition rarely needs more than two pages; a chain longer than
// this is taken for a damaged one.
constexpr int kMaxDefinitionPages = 32;

// The definition's bytes as one run: the first page whole, then each chained
// page after its 8-byte header, as libmdb lays them end to end.
std::optional<std::vector<uint8_t>> ReadDefinitionBytes(PageSource& pages,
                                                        uint32_t definition_page) {
  const Layout& layout = pages.layout();
  std::vector<uint8_t> bytes;
  uint32_t next = definition_page;
  for (int count = 0; next != 0; ++count) {
    if (count == kMaxDefinitionPages) return std::nullopt;
    const uint8_t* page = pages.Read(next);
    if (page == nullptr || page[0] != index_layout::kTableDefinitionPageType) return std::nullopt;
    const size_t skip = count == 0 ? 0 : index_layout::kDefinitionContinuationStart;
    bytes.insert(bytes.end(), page + skip, page + layout.page_size);
    next = index_layout::Le32(page + index_layout::kDefinitionNextPageOffset);
  }
  return bytes;
}

// Reads fixed-size pieces of the definition, failing once past its end.
class Cursor {
 public:
  explicit Cursor(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

  bool Skip(size_t n) {
    if (n > bytes_.size() - pos_) return ok_ = false;
    pos_ += n;
    return true;
  }
  const uint8_t* Take(size_t n) {
    const size_t at = pos_;
    return Skip(n) ? bytes_.data() + at : nullptr;
  }
  size_t Length(size_t size) {
    const uint8_t* p = Take(size);
    if (p == nullptr) return 0;
    return size == 1 ? p[0] : index_layout::Le16(p);
  }
  bool ok() const { return ok_; }

 private:
  const std::vector<uint8_t>& bytes_;
  size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace

std::optional<std::vector<IndexDefinition>> ReadIndexDefinitions(PageSource& pages,
                                                                 uint32_t definition_page) {
  const Layout& layout = pages.layout();
  const auto bytes = ReadDefinitionBytes(pages, definition_page);
  if (!bytes || bytes->size() < layout.columns_start) return std::nullopt;
  const uint8_t* head = bytes->data();
  const size_t num_cols = index_layout::Le16(head + layout.num_cols_offset);
  const uint32_t num_idxs = index_layout::Le32(head + layout.num_idxs_offset);
  const uint32_t num_real_idxs = index_layout::Le32(head + layout.num_real_idxs_offset);
  // Each count must fit the bytes it describes; this also bounds the loops.
  if (num_real_idxs > bytes->size() / layout.real_index_size ||
      num_idxs > bytes->size() / layout.logical_index_size) {
    return std::nullopt;
  }

  Cursor cursor(*bytes);
  cursor.Skip(layout.columns_start);
  cursor.Skip(num_real_idxs * layout.real_index_count_size);
  cursor.Skip(num_cols * layout.column_entry_size);
  for (size_t i = 0; i < num_cols && cursor.ok(); ++i) {
    cursor.Skip(cursor.Length(layout.name_length_size));
  }

  std::vector<IndexDefinition> indexes(num_real_idxs);
  for (IndexDefinition& index : indexes) {
    cursor.Skip(layout.real_index_skip_before);
    for (size_t slot = 0; slot < index_layout::kIndexColumnSlots; ++slot) {
      const uint8_t* p = cursor.Take(index_layout::kIndexColumnSlotSize);
      if (p == nullptr) return std::nullopt;
      const uint16_t number = index_layout::Le16(p);
      if (number == index_layout::kUnusedColumnSlot) continue;
      index.columns.push_back({number, (p[2] & index_layout::kAscendingColumnFlag) != 0});
    }
    cursor.Skip(index_layout::kIndexUsageMapSize);
    const uint8_t* root = cursor.Take(index_layout::kIndexRootPageSize);
    cursor.Skip(layout.real_index_skip_before_flags);
    const uint8_t* flags = cursor.Take(1);
    cursor.Skip(layout.real_index_skip_after_flags);
    if (root == nullptr || flags == nullptr || !cursor.ok()) return std::nullopt;
    index.root_page = index_layout::Le32(root);
    index.flags = flags[0];
  }

  // The logical indexes name the physical index they use and say which one
  // is the primary key.
  for (uint32_t i = 0; i < num_idxs; ++i) {
    const uint8_t* logical = cursor.Take(layout.logical_index_size);
    if (logical == nullptr) return std::nullopt;
    const uint32_t data_number =
        index_layout::Le32(logical + layout.logical_index_data_number_offset);
    const uint8_t type = logical[layout.logical_index_type_offset];
    if (type == index_layout::kPrimaryKeyIndexType && data_number < indexes.size()) {
      indexes[data_number].primary_key = true;
    }
  }
  return indexes;
}

std::optional<IndexDefinition> FindUniqueSingleColumnIndex(
    const std::vector<IndexDefinition>& indexes, uint16_t column_number) {
  for (const IndexDefinition& index : indexes) {
    if (index.columns.size() == 1 && index.columns[0].number == column_number &&
        index.columns[0].ascending && index.Unique() && index.root_page != 0) {
      return index;
    }
  }
  return std::nullopt;
}

}  // namespace vorelka::jet
