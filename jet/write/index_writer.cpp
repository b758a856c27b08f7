#include "jet/write/index_writer.h"

#include <algorithm>
#include <cstring>

#include "jet/write/page_head.h"

namespace vorelka::jet::writer {

using namespace format;  // NOLINT(google-build-using-namespace): the format this writes
using namespace index;   // NOLINT(google-build-using-namespace)
namespace {

using EntryBytes = std::array<uint8_t, kLeafEntrySize>;

EntryBytes LeafEntryBytes(const IndexEntry& entry) {
  EntryBytes bytes;
  const auto key = EncodeLongKey(entry.key);
  std::memcpy(bytes.data(), key.data(), key.size());
  PutEntryRowPointer(&bytes[kLongKeySize], entry.row_pointer);
  return bytes;
}

size_t CommonKeyPrefix(const EntryBytes& a, const EntryBytes& b) {
  size_t n = 0;
  while (n < kLongKeySize && a[n] == b[n]) ++n;
  return n;
}

// One index page being assembled.
class IndexPage {
 public:
  IndexPage(const Format& format, bool leaf, uint32_t owner)
      : format_(format),
        type_(leaf ? kIndexLeafPageType : kIndexNodePageType),
        owner_(owner),
        bytes_(format.page_size, 0) {
    if (!leaf) PutU8(&bytes_[format.index.node_flag_offset], kNodePageFlag);
  }

  void SetLinks(uint32_t prev, uint32_t next, uint32_t tail) {
    PutLe32(&bytes_[format_.index.prev_offset], prev);
    PutLe32(&bytes_[format_.index.next_offset], next);
    PutLe32(&bytes_[format_.index.tail_offset], tail);
  }

  void SetPrefixLength(size_t length) {
    prefix_ = length;
    if (format_.index.prefix_size == 1) {
      PutU8(&bytes_[format_.index.prefix_offset], static_cast<uint8_t>(length));
    } else {
      PutLe16(&bytes_[format_.index.prefix_offset], static_cast<uint16_t>(length));
    }
  }

  // Appends an entry; all but the first drop the shared prefix.
  void Append(const uint8_t* entry, size_t size) {
    const size_t skip = used_ == 0 ? 0 : prefix_;
    std::memcpy(&bytes_[format_.index.EntriesStart() + used_], entry + skip, size - skip);
    used_ += size - skip;
    uint8_t* mask = &bytes_[format_.index.mask_offset];
    mask[used_ / 8] = static_cast<uint8_t>(mask[used_ / 8] | (1u << (used_ % 8)));
  }

  const uint8_t* Finish() {
    const auto free_space =
        static_cast<uint16_t>(format_.page_size - format_.index.EntriesStart() - used_);
    PutPageHead(bytes_.data(), type_, free_space, owner_);
    return bytes_.data();
  }

 private:
  const Format& format_;
  uint8_t type_;
  uint32_t owner_;
  std::vector<uint8_t> bytes_;
  size_t prefix_ = 0;
  size_t used_ = 0;
};

struct Leaf {
  size_t begin, end;  // entries
  size_t prefix;
};

// Full leaves share their keys' common prefix; the last leaf, which Access
// keeps appending to, is stored without one.
std::vector<Leaf> PlanLeaves(const Format& format, const std::vector<EntryBytes>& entries) {
  const size_t capacity = format.IndexPageCapacity();
  const size_t plain_capacity = capacity / kLeafEntrySize;
  std::vector<Leaf> leaves;
  size_t i = 0;
  const size_t n = entries.size();
  while (n - i > plain_capacity) {
    size_t j = i + 1;
    while (j < n) {
      const size_t p = CommonKeyPrefix(entries[i], entries[j]);
      if (p + (j + 1 - i) * (kLeafEntrySize - p) > capacity) break;
      ++j;
    }
    if (j == n) j = n - plain_capacity;  // leave a full last leaf
    const size_t prefix = CommonKeyPrefix(entries[i], entries[j - 1]);
    leaves.push_back({i, j, prefix});
    i = j;
  }
  leaves.push_back({i, n, 0});
  return leaves;
}

struct Child {
  uint32_t page;
  EntryBytes last;  // its last entry: key and row pointer
};

}  // namespace

void PutEntryRowPointer(uint8_t* out, uint32_t row_pointer) {
  PutBe24(out, data::PageOfRowPointer(row_pointer));
  PutU8(out + kRowPointerSize - 1, static_cast<uint8_t>(data::RowOfRowPointer(row_pointer)));
}

IndexBuild BuildIndex(const Format& format, uint32_t owner_page,
                      const std::vector<IndexEntry>& entries, uint32_t first_page,
                      const PageSink& sink) {
  std::vector<EntryBytes> bytes;
  bytes.reserve(entries.size());
  for (const IndexEntry& entry : entries) bytes.push_back(LeafEntryBytes(entry));

  IndexBuild build;
  uint32_t next_page = first_page;
  std::vector<Child> level;

  // Leaves: linked to each other from first to last.
  const std::vector<Leaf> leaves = PlanLeaves(format, bytes);
  for (size_t k = 0; k < leaves.size(); ++k) {
    const uint32_t number = next_page + static_cast<uint32_t>(k);
    IndexPage page(format, /*leaf=*/true, owner_page);
    page.SetLinks(k == 0 ? 0 : number - 1, k + 1 == leaves.size() ? 0 : number + 1, 0);
    page.SetPrefixLength(leaves[k].prefix);
    for (size_t e = leaves[k].begin; e < leaves[k].end; ++e) {
      page.Append(bytes[e].data(), kLeafEntrySize);
    }
    sink(number, page.Finish());
    build.pages.push_back(number);
    level.push_back(
        {number, leaves[k].end > leaves[k].begin ? bytes[leaves[k].end - 1] : EntryBytes{}});
  }
  next_page += static_cast<uint32_t>(leaves.size());

  // Node levels: one entry per child but the last, which the tail pointer
  // names; pages linked only to siblings under the same parent.
  const size_t max_children = format.IndexPageCapacity() / kNodeEntrySize + 1;
  while (level.size() > 1) {
    std::vector<Child> parents;
    for (size_t begin = 0; begin < level.size();) {
      const size_t end = std::min(level.size(), begin + max_children);
      parents.push_back({next_page + static_cast<uint32_t>(parents.size()), level[end - 1].last});
      begin = end;
    }
    for (size_t k = 0; k < parents.size(); ++k) {
      const size_t begin = k * max_children;
      const size_t end = std::min(level.size(), begin + max_children);
      const bool has_tail = end - begin > 1;
      const size_t group_begin = (k / max_children) * max_children;
      const size_t group_end = std::min(parents.size(), group_begin + max_children);
      IndexPage page(format, /*leaf=*/false, owner_page);
      const uint32_t number = parents[k].page;
      page.SetLinks(k == group_begin ? 0 : number - 1, k + 1 == group_end ? 0 : number + 1,
                    has_tail ? level[end - 1].page : 0);
      page.SetPrefixLength(0);
      for (size_t c = begin; c < (has_tail ? end - 1 : end); ++c) {
        uint8_t entry[kNodeEntrySize];
        std::memcpy(entry, level[c].last.data(), kLeafEntrySize);
        PutBe32(entry + kLeafEntrySize, level[c].page);
        page.Append(entry, kNodeEntrySize);
      }
      sink(number, page.Finish());
      build.pages.push_back(number);
    }
    next_page += static_cast<uint32_t>(parents.size());
    level = std::move(parents);
  }
  build.root_page = level.front().page;
  return build;
}

std::vector<uint8_t> BuildSingleLeaf(const Format& format, uint32_t owner_page,
                                     const std::vector<std::string>& entries) {
  size_t size = 0;
  for (const std::string& entry : entries) size += entry.size();
  if (size > format.IndexPageCapacity()) return {};
  IndexPage page(format, /*leaf=*/true, owner_page);
  page.SetLinks(0, 0, 0);
  page.SetPrefixLength(0);
  for (const std::string& entry : entries) {
    page.Append(reinterpret_cast<const uint8_t*>(entry.data()), entry.size());
  }
  const uint8_t* bytes = page.Finish();
  return std::vector<uint8_t>(bytes, bytes + format.page_size);
}

uint64_t EstimateIndexPages(const Format& format, uint64_t count) {
  const uint64_t per_leaf = format.IndexPageCapacity() / kLeafEntrySize;  // no prefix
  uint64_t pages = count / per_leaf + 1;
  uint64_t level = pages;
  const uint64_t max_children = format.IndexPageCapacity() / kNodeEntrySize + 1;
  while (level > 1) {
    level = (level + max_children - 1) / max_children;
    pages += level;
  }
  return pages;
}

}  // namespace vorelka::jet::writer
