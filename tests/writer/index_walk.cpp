#include "tests/writer/index_walk.h"

#include <glib.h>
#include <mdbtools.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

namespace vorelka::testing {
namespace {

struct Layout {
  size_t page_size, prev, next, tail, prefix, prefix_size, node_flag, mask, mask_size;
  size_t row_count_offset, column_count_size;
};
constexpr Layout kJet3{2048, 8, 12, 16, 20, 1, 21, 22, 226, 8, 1};
constexpr Layout kJet4{4096, 12, 16, 20, 24, 2, 26, 27, 453, 12, 2};

constexpr size_t kEntrySize = 9;       // key(5) + row pointer(4)
constexpr size_t kNodeEntrySize = 13;  // + child page(4)

uint32_t Le(const uint8_t* p, size_t n) {
  uint32_t v = 0;
  for (size_t i = n; i-- > 0;) v = v << 8 | p[i];
  return v;
}
uint32_t Be(const uint8_t* p, size_t n) {
  uint32_t v = 0;
  for (size_t i = 0; i < n; ++i) v = v << 8 | p[i];
  return v;
}

using Entry = std::vector<uint8_t>;

struct Page {
  uint32_t number = 0;
  bool leaf = false;
  uint32_t prev = 0, next = 0, tail = 0;
  size_t prefix = 0;
  std::vector<Entry> entries;  // prefix expanded
};

class Walker {
 public:
  Walker(std::string bytes, const Layout& layout, uint32_t owner, IndexWalk* out)
      : bytes_(std::move(bytes)), l_(layout), owner_(owner), out_(out) {}

  const uint8_t* PageBytes(uint32_t n) {
    if (uint64_t{n + 1} * l_.page_size > bytes_.size()) return nullptr;
    return reinterpret_cast<const uint8_t*>(bytes_.data()) + uint64_t{n} * l_.page_size;
  }

  void Fault(const std::string& what) { out_->faults.push_back(what); }

  bool Parse(uint32_t number, Page* page) {
    const uint8_t* p = PageBytes(number);
    const std::string where = "page " + std::to_string(number) + ": ";
    if (p == nullptr) return Fault(where + "past the end of the file"), false;
    if ((p[0] != 3 && p[0] != 4) || p[1] != 1) return Fault(where + "not an index page"), false;
    page->number = number;
    page->leaf = p[0] == 4;
    if (Le(p + 4, 4) != owner_) Fault(where + "owned by another table");
    if (l_.page_size == 4096 && Le(p + 8, 4) != 0) Fault(where + "unknown bytes 8..11 not zero");
    page->prev = Le(p + l_.prev, 4);
    page->next = Le(p + l_.next, 4);
    page->tail = Le(p + l_.tail, 4);
    page->prefix = Le(p + l_.prefix, l_.prefix_size);
    if (p[l_.node_flag] != (page->leaf ? 0 : 1)) Fault(where + "wrong node flag");
    if (page->leaf && page->tail != 0) Fault(where + "a leaf with a tail pointer");
    const size_t start = l_.mask + l_.mask_size;
    size_t last_end = 0;
    for (size_t bit = 0; bit < l_.mask_size * 8; ++bit) {
      if (!(p[l_.mask + bit / 8] & (1u << (bit % 8)))) continue;
      if (start + bit > l_.page_size) return Fault(where + "mask past the page"), false;
      Entry entry;
      if (!page->entries.empty()) {
        entry.assign(page->entries.front().begin(),
                     page->entries.front().begin() + static_cast<ptrdiff_t>(page->prefix));
      }
      entry.insert(entry.end(), p + start + last_end, p + start + bit);
      const size_t expected = page->leaf ? kEntrySize : kNodeEntrySize;
      if (entry.size() != expected) {
        return Fault(where + "entry of " + std::to_string(entry.size()) + " bytes"), false;
      }
      page->entries.push_back(std::move(entry));
      last_end = bit;
    }
    if (Le(p + 2, 2) != l_.page_size - start - last_end) Fault(where + "wrong free space");
    if (!page->leaf && page->prefix != 0) Fault(where + "a node page with a prefix");
    return true;
  }

  // Walks the subtree at `number`; returns its last entry (key + row
  // pointer), empty for an empty leaf.
  Entry Walk(uint32_t number, int depth) {
    Page page;
    if (!Parse(number, &page)) return {};
    const std::string where = "page " + std::to_string(number) + ": ";
    if (page.leaf) {
      if (leaf_depth_ == 0) leaf_depth_ = depth;
      if (leaf_depth_ != depth) Fault(where + "leaves at different depths");
      ++out_->leaf_pages;
      if (page.prefix > 0) ++out_->prefixed_leaves;
      leaves_.push_back(page);
      out_->leaves.push_back(number);
      const size_t first = out_->keys.size();
      for (const Entry& e : page.entries) CheckLeafEntry(e, where);
      if (out_->keys.size() > first)
        out_->leaf_bounds.emplace_back(out_->keys[first], out_->keys.back());
      return page.entries.empty() ? Entry{} : page.entries.back();
    }
    ++out_->node_pages;
    if (page.entries.empty()) Fault(where + "a node page without entries");
    std::vector<uint32_t> children;
    Entry last;
    for (const Entry& e : page.entries) {
      const uint32_t child = Be(e.data() + kEntrySize, 4);
      children.push_back(child);
      Entry child_last = Walk(child, depth + 1);
      if (!std::equal(child_last.begin(), child_last.end(), e.begin()) ||
          child_last.size() != kEntrySize) {
        Fault(where + "entry for page " + std::to_string(child) + " is not that page's last entry");
      }
      last.assign(e.begin(), e.begin() + kEntrySize);
    }
    if (page.tail != 0) {
      children.push_back(page.tail);
      last = Walk(page.tail, depth + 1);
    } else if (page.entries.size() > 1) {
      Fault(where + "several children but no tail");
    }
    CheckSiblings(children, where);
    return last;
  }

  void CheckSiblings(const std::vector<uint32_t>& children, const std::string& where) {
    Page first;
    if (!Parse(children.front(), &first) || first.leaf) return;  // leaves: checked globally
    for (size_t i = 0; i < children.size(); ++i) {
      Page child;
      if (!Parse(children[i], &child)) return;
      const uint32_t prev = i == 0 ? 0 : children[i - 1];
      const uint32_t next = i + 1 == children.size() ? 0 : children[i + 1];
      if (child.prev != prev || child.next != next) {
        Fault(where + "child node " + std::to_string(children[i]) + " wrongly linked");
      }
    }
  }

  void CheckLeafEntry(const Entry& e, const std::string& where) {
    if (e[0] != 0x7F) return Fault(where + "key without the ascending flag");
    const auto key = static_cast<int32_t>(Be(e.data() + 1, 4) ^ 0x80000000u);
    if (have_previous_ &&
        std::lexicographical_compare(e.begin(), e.end(), previous_.begin(), previous_.end())) {
      Fault(where + "entries out of order at key " + std::to_string(key));
    }
    if (have_previous_ && key <= out_->keys.back()) {
      Fault(where + "key " + std::to_string(key) + " not above the one before");
    }
    previous_ = e;
    have_previous_ = true;
    out_->keys.push_back(key);
    CheckRow(Be(e.data() + 5, 3), e[8], key, where);
  }

  void CheckRow(uint32_t data_page, uint32_t row, int32_t key, const std::string& where) {
    const uint8_t* p = PageBytes(data_page);
    const std::string what = where + "key " + std::to_string(key) + " points to page " +
                             std::to_string(data_page) + " row " + std::to_string(row);
    if (p == nullptr || p[0] != 1 || Le(p + 4, 4) != owner_) return Fault(what + ": no data page");
    if (row >= Le(p + l_.row_count_offset, 2)) return Fault(what + ": no such row");
    const size_t start = Le(p + l_.row_count_offset + 2 + 2 * row, 2) & 0x1FFF;
    const auto id = static_cast<int32_t>(Le(p + start + l_.column_count_size, 4));
    if (id != key) Fault(what + " holding Id " + std::to_string(id));
  }

  void CheckLeafChain() {
    for (size_t i = 0; i < leaves_.size(); ++i) {
      const uint32_t prev = i == 0 ? 0 : leaves_[i - 1].number;
      const uint32_t next = i + 1 == leaves_.size() ? 0 : leaves_[i + 1].number;
      if (leaves_[i].prev != prev || leaves_[i].next != next) {
        Fault("leaf " + std::to_string(leaves_[i].number) + " wrongly linked");
      }
    }
  }

  int leaf_depth() const { return leaf_depth_; }

 private:
  std::string bytes_;
  Layout l_;
  uint32_t owner_;
  IndexWalk* out_;
  int leaf_depth_ = 0;
  std::vector<Page> leaves_;
  Entry previous_;
  bool have_previous_ = false;
};

struct HandleCloser {
  void operator()(MdbHandle* h) const { mdb_close(h); }
};
struct TableFreer {
  void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};

}  // namespace

IndexWalk WalkPrimaryKey(const std::filesystem::path& file, const std::string& table_name) {
  IndexWalk out;
  std::unique_ptr<MdbHandle, HandleCloser> mdb(mdb_open(file.c_str(), MDB_NOFLAGS));
  if (!mdb || !mdb_read_catalog(mdb.get(), MDB_TABLE)) {
    out.faults.push_back("libmdb cannot open the file");
    return out;
  }
  std::string name = table_name;
  std::unique_ptr<MdbTableDef, TableFreer> table(
      mdb_read_table_by_name(mdb.get(), name.data(), MDB_TABLE));
  if (!table || !mdb_read_columns(table.get()) || !mdb_read_indices(table.get())) {
    if (!table || !table->indices) {
      out.faults.push_back("libmdb cannot read the table's indexes");
      return out;
    }
  }
  MdbIndex* key = nullptr;
  for (guint i = 0; i < table->indices->len; ++i) {
    auto* index = static_cast<MdbIndex*>(g_ptr_array_index(table->indices, i));
    if (index->index_type == 1) key = index;
  }
  if (key == nullptr || key->num_keys != 1 || key->key_col_num[0] != 1 ||
      key->key_col_order[0] != MDB_ASC) {
    out.faults.push_back("no ascending one-column primary key on the first column");
    return out;
  }
  std::ifstream in(file, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const Layout& layout = bytes.size() > 0x14 && bytes[0x14] == 0 ? kJet3 : kJet4;
  Walker walker(std::move(bytes), layout, static_cast<uint32_t>(table->entry->table_pg), &out);
  out.root_page = static_cast<uint32_t>(key->first_pg);
  walker.Walk(key->first_pg, 1);
  walker.CheckLeafChain();
  out.levels = walker.leaf_depth();
  if (out.keys.size() != table->num_rows) {
    out.faults.push_back(std::to_string(out.keys.size()) + " keys for " +
                         std::to_string(table->num_rows) + " rows");
  }
  return out;
}

}  // namespace vorelka::testing
