#include "jet/format/decode_index_page.h"

#include <algorithm>
#include <cstring>

#include "jet/format/bytes.h"
#include "jet/format/page.h"

namespace vorelka::jet::format {

namespace {

// Where each entry ends in the page's entry area: every set bit of the
// mask marks the end of one entry, the first starting at the area's start.
std::optional<std::vector<uint16_t>> LocateEntryEnds(const uint8_t* page, const Format& layout) {
  const size_t area = layout.page_size - layout.index.EntriesStart();
  std::vector<uint16_t> ends;
  ends.reserve(area / index::kLongKeySize);
  const uint8_t* mask = page + layout.index.mask_offset;
  for (size_t byte = 0; byte < layout.index.mask_size; ++byte) {
    for (unsigned bits = mask[byte]; bits != 0; bits &= bits - 1) {
      const size_t end = byte * 8 + static_cast<size_t>(__builtin_ctz(bits));
      if (end > area) return std::nullopt;
      ends.push_back(static_cast<uint16_t>(end));
    }
  }
  return ends;
}

}  // namespace

int CompareKeys(std::span<const uint8_t> a, std::span<const uint8_t> b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::optional<IndexPage> IndexPage::Read(PageFile& file, uint32_t number, uint32_t owner) {
  if (number == kHeaderPage || number >= file.page_count()) return std::nullopt;
  const PageBytes bytes = file.Page(number, "an index");
  const uint8_t* page = bytes->data();
  const Format& layout = file.layout();
  IndexPage result;
  if (page[0] == kIndexLeafPageType) {
    result.leaf_ = true;
  } else if (page[0] != kIndexNodePageType) {
    return std::nullopt;
  }
  if (GetLe32(page + kPageOwnerOffset) != owner) return std::nullopt;
  result.tail_page_ = result.leaf_ ? 0 : GetLe32(page + layout.index.tail_offset);

  const auto ends = LocateEntryEnds(page, layout);
  if (!ends) return std::nullopt;
  const uint8_t* prefix_field = page + layout.index.prefix_offset;
  const size_t prefix_length =
      layout.index.prefix_size == 1 ? prefix_field[0] : GetLe16(prefix_field);
  const size_t trailer =
      index::kRowPointerSize + (result.leaf_ ? 0 : index::kChildPointerSize);
  const uint8_t* area = page + layout.index.EntriesStart();
  if (ends->empty()) return result;
  if (ends->front() < prefix_length) return std::nullopt;

  // Restore the shared prefix: the first entry carries it, the others only
  // their own remainder.
  result.bytes_.resize(ends->back() + (ends->size() - 1) * prefix_length);
  result.entries_.reserve(ends->size());
  uint8_t* out = result.bytes_.data();
  size_t start = 0;
  std::span<const uint8_t> previous;  // key and row pointer of the entry before
  for (const uint16_t end : *ends) {
    const size_t stored = end - start;
    const uint8_t* e = out;
    // Entries are a few bytes long: plain loops beat library calls here.
    if (e != result.bytes_.data()) out = std::copy_n(area, prefix_length, out);
    out = std::copy_n(area + start, stored, out);
    start = end;
    const size_t length = static_cast<size_t>(out - e);
    if (length <= trailer) return std::nullopt;

    const size_t key_length = length - trailer;
    const std::span<const uint8_t> ordered(e, key_length + index::kRowPointerSize);
    if (!previous.empty() && CompareKeys(previous, ordered) >= 0) return std::nullopt;
    previous = ordered;
    IndexEntry entry;
    entry.key = std::span<const uint8_t>(e, key_length);
    entry.data_page = GetBe24(e + key_length);
    entry.data_row = e[key_length + index::kRowPointerSize - 1];
    if (!result.leaf_) {
      entry.child_page = GetBe32(e + key_length + index::kRowPointerSize);
    }
    result.entries_.push_back(entry);
  }
  return result;
}

}  // namespace vorelka::jet::format
