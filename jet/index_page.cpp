#include "jet/index_page.h"

#include <algorithm>
#include <cstring>

namespace vorelka::jet {

namespace {

using index_layout::Layout;

struct EntrySpan {
  size_t offset;  // into the page's entry area
  size_t length;
};

// Where each entry lies: every set bit of the mask marks the end of one
// entry, the first starting at the beginning of the entry area.
std::optional<std::vector<EntrySpan>> LocateEntries(const uint8_t* page, const Layout& layout) {
  const size_t area = layout.page_size - layout.IndexEntriesStart();
  std::vector<EntrySpan> spans;
  size_t start = 0;
  const uint8_t* mask = page + layout.index_entry_mask_offset;
  for (size_t byte = 0; byte < layout.index_entry_mask_size; ++byte) {
    if (mask[byte] == 0) continue;
    for (size_t bit = 0; bit < 8; ++bit) {
      if ((mask[byte] & (1u << bit)) == 0) continue;
      const size_t end = byte * 8 + bit;
      if (end > area) return std::nullopt;
      spans.push_back({start, end - start});
      start = end;
    }
  }
  return spans;
}

}  // namespace

int CompareKeys(std::span<const uint8_t> a, std::span<const uint8_t> b) {
  const size_t n = std::min(a.size(), b.size());
  if (n > 0) {
    const int c = std::memcmp(a.data(), b.data(), n);
    if (c != 0) return c < 0 ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::optional<IndexPage> IndexPage::Read(PageSource& pages, uint32_t number, uint32_t owner) {
  const uint8_t* page = pages.Read(number);
  if (page == nullptr) return std::nullopt;
  const Layout& layout = pages.layout();
  IndexPage result;
  if (page[0] == index_layout::kIndexLeafPageType) {
    result.leaf_ = true;
  } else if (page[0] != index_layout::kIndexNodePageType) {
    return std::nullopt;
  }
  if (index_layout::Le32(page + index_layout::kPageOwnerOffset) != owner) return std::nullopt;
  result.tail_page_ = result.leaf_ ? 0 : index_layout::Le32(page + layout.index_tail_page_offset);

  const auto spans = LocateEntries(page, layout);
  if (!spans) return std::nullopt;
  const uint8_t* prefix_field = page + layout.index_prefix_length_offset;
  const size_t prefix_length =
      layout.index_prefix_length_size == 1 ? prefix_field[0] : index_layout::Le16(prefix_field);
  const size_t trailer =
      index_layout::kRowPointerSize + (result.leaf_ ? 0 : index_layout::kChildPointerSize);
  const uint8_t* area = page + layout.IndexEntriesStart();

  // Restore the shared prefix: the first entry carries it, the others only
  // their own remainder.
  std::vector<EntrySpan> full;
  full.reserve(spans->size());
  for (size_t i = 0; i < spans->size(); ++i) {
    const EntrySpan& span = (*spans)[i];
    const size_t length = span.length + (i == 0 ? 0 : prefix_length);
    if ((i == 0 && span.length < prefix_length) || length <= trailer) return std::nullopt;
    full.push_back({result.bytes_.size(), length});
    if (i != 0) result.bytes_.insert(result.bytes_.end(), area, area + prefix_length);
    result.bytes_.insert(result.bytes_.end(), area + span.offset, area + span.offset + span.length);
  }

  result.entries_.reserve(full.size());
  std::span<const uint8_t> previous;  // key and row pointer of the entry before
  for (const EntrySpan& span : full) {
    const uint8_t* e = result.bytes_.data() + span.offset;
    const size_t key_length = span.length - trailer;
    const std::span<const uint8_t> ordered(e, key_length + index_layout::kRowPointerSize);
    if (!previous.empty() && CompareKeys(previous, ordered) >= 0) return std::nullopt;
    previous = ordered;
    IndexEntry entry;
    entry.key = std::span<const uint8_t>(e, key_length);
    entry.data_page = index_layout::Be24(e + key_length);
    entry.data_row = e[key_length + 3];
    if (!result.leaf_) entry.child_page = index_layout::Be32(e + key_length + 4);
    result.entries_.push_back(entry);
  }
  return result;
}

}  // namespace vorelka::jet
