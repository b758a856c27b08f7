#include "jet/read/index_definitions.h"

#include <cstring>

namespace vorelka::jet {

namespace {



// A table definition rarely needs more than two pages; a chain longer than
// this is taken for a damaged one.
constexpr int kMaxDefinitionPages = 32;

// The definition's bytes as one run: the first page whole, then each chained
// page after its 8-byte header, as libmdb lays them end to end.
std::optional<std::vector<uint8_t>> ReadDefinitionBytes(PageSource& pages,
                                                        uint32_t definition_page) {
  const format::Format& layout = pages.layout();
  std::vector<uint8_t> bytes;
  uint32_t next = definition_page;
  for (int count = 0; next != 0; ++count) {
    if (count == kMaxDefinitionPages) return std::nullopt;
    const uint8_t* page = pages.Read(next);
    if (page == nullptr || page[0] != format::kTableDefinitionPageType) return std::nullopt;
    const size_t skip = count == 0 ? 0 : format::tdef::kContinuationStart;
    bytes.insert(bytes.end(), page + skip, page + layout.page_size);
    next = format::GetLe32(page + format::tdef::kNextPageOffset);
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
    return size == 1 ? p[0] : format::GetLe16(p);
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
  const format::Format& layout = pages.layout();
  const auto bytes = ReadDefinitionBytes(pages, definition_page);
  if (!bytes || bytes->size() < layout.tdef.header_size) return std::nullopt;
  const uint8_t* head = bytes->data();
  const size_t num_cols = format::GetLe16(head + layout.tdef.column_count_offset);
  const uint32_t num_idxs = format::GetLe32(head + layout.tdef.index_count_offset);
  const uint32_t num_real_idxs = format::GetLe32(head + layout.tdef.real_index_count_offset);
  // Each count must fit the bytes it describes; this also bounds the loops.
  if (num_real_idxs > bytes->size() / layout.tdef.real_index_size ||
      num_idxs > bytes->size() / layout.tdef.logical_index_size) {
    return std::nullopt;
  }

  Cursor cursor(*bytes);
  cursor.Skip(layout.tdef.header_size);
  cursor.Skip(num_real_idxs * layout.tdef.real_index_count_size);
  cursor.Skip(num_cols * layout.tdef.column_size);
  for (size_t i = 0; i < num_cols && cursor.ok(); ++i) {
    cursor.Skip(cursor.Length(layout.tdef.name_length_size));
  }

  std::vector<IndexDefinition> indexes(num_real_idxs);
  for (IndexDefinition& index : indexes) {
    cursor.Skip(layout.tdef.real_index_skip_before);
    for (size_t slot = 0; slot < format::tdef::kIndexColumnSlots; ++slot) {
      const uint8_t* p = cursor.Take(format::tdef::kIndexColumnSlotSize);
      if (p == nullptr) return std::nullopt;
      const uint16_t number = format::GetLe16(p);
      if (number == format::tdef::kUnusedColumnSlot) continue;
      index.columns.push_back({number, (p[2] & format::tdef::kAscendingColumnFlag) != 0});
    }
    cursor.Skip(format::tdef::kIndexUsageMapSize);
    const uint8_t* root = cursor.Take(format::tdef::kIndexRootPageSize);
    cursor.Skip(layout.tdef.real_index_skip_before_flags);
    const uint8_t* flags = cursor.Take(1);
    cursor.Skip(layout.tdef.real_index_skip_after_flags);
    if (root == nullptr || flags == nullptr || !cursor.ok()) return std::nullopt;
    index.root_page = format::GetLe32(root);
    index.flags = flags[0];
  }

  // The logical indexes name the physical index they use and say which one
  // is the primary key.
  for (uint32_t i = 0; i < num_idxs; ++i) {
    const uint8_t* logical = cursor.Take(layout.tdef.logical_index_size);
    if (logical == nullptr) return std::nullopt;
    const uint32_t data_number =
        format::GetLe32(logical + layout.tdef.logical_index_data_number_offset);
    const uint8_t type = logical[layout.tdef.logical_index_type_offset];
    if (type == format::tdef::kPrimaryKeyIndexType && data_number < indexes.size()) {
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
