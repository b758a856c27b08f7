#include "jet/write/table_definition.h"

#include <algorithm>

#include "jet/format/header_page.h"
#include "jet/write/header_page.h"
#include "jet/write/page_head.h"
#include "jet/write/text_encoding.h"

namespace vorelka::jet::writer {

using namespace format;  // NOLINT(google-build-using-namespace): the format this writes
using namespace tdef;    // NOLINT(google-build-using-namespace)
namespace {

class Bytes {
 public:
  explicit Bytes(std::vector<uint8_t>* out) : out_(out) {}
  void U8(uint8_t v) { out_->push_back(v); }
  void Le16(uint16_t v) { U8(static_cast<uint8_t>(v)), U8(static_cast<uint8_t>(v >> 8)); }
  void Le32(uint32_t v) { Le16(static_cast<uint16_t>(v)), Le16(static_cast<uint16_t>(v >> 16)); }
  void Zeros(size_t n) { out_->insert(out_->end(), n, 0); }
  void Append(const std::string& s) { out_->insert(out_->end(), s.begin(), s.end()); }

 private:
  std::vector<uint8_t>* out_;
};

bool PutName(const Format& format, Bytes& b, const std::string& name, std::string* problem) {
  std::string encoded;
  if (!EncodeName(format, name, &encoded, problem)) {
    *problem = "name \"" + name + "\" " + *problem;
    return false;
  }
  if (format.tdef.name_length_size == 1) {
    b.U8(static_cast<uint8_t>(encoded.size()));
  } else {
    b.Le16(static_cast<uint16_t>(encoded.size()));
  }
  b.Append(encoded);
  return true;
}

// System tables keep the General sort order and uncompressed text in every
// database, as Jet makes them; the user's table takes the database's.
void PutColumn(const Format& format, Bytes& b, const Column& column, bool system) {
  const bool jet4 = format.id == JetFormat::kJet4;
  const uint16_t sort_order = system ? header::kGeneralSortOrder : SortOrderOf(format);
  uint8_t flags = kUpdatableColumnFlag;
  if (column.fixed) flags |= kFixedColumnFlag;
  if (system) flags |= kSystemColumnFlag;
  if (column.security_id) flags |= kSecurityIdColumnFlag;
  b.U8(static_cast<uint8_t>(column.type));
  if (jet4) b.Le32(kJet4TableMagic);
  b.Le16(column.number);
  b.Le16(column.fixed ? 0 : column.var_index);
  b.Le16(column.number);
  if (jet4) {
    b.Le16(sort_order);
    b.U8(0);
    b.U8(0);  // sort order version
    b.U8(flags);
    b.U8(column.type == ColumnType::kText && !system ? kCompressedTextFlag : 0);
    b.Le32(0);
  } else {
    b.Le16(kJet3ColumnMarker);
    b.Le16(sort_order);
    b.Le16(CodePageOf(format));
    b.U8(flags);
  }
  b.Le16(column.fixed ? column.fixed_offset : 0);
  b.Le16(column.length);
}

void PutPhysicalIndex(const Format& format, Bytes& b, const IndexFacts& index) {
  const bool jet4 = format.id == JetFormat::kJet4;
  if (jet4) b.Le32(kJet4IndexMagic);
  for (size_t slot = 0; slot < kIndexColumnSlots; ++slot) {
    const bool used = slot < index.columns.size();
    b.Le16(used ? index.columns[slot] : kUnusedColumnSlot);
    b.U8(used ? kAscendingColumnFlag : 0);
  }
  b.Le32(index.usage_map);
  b.Le32(index.root_page);
  if (jet4) b.Le32(0);
  uint8_t flags = index.flags;
  if (jet4) flags |= kJet4IndexFlag;
  b.U8(flags);
  b.Zeros(format.tdef.real_index_skip_after_flags);
}

void PutLogicalIndex(const Format& format, Bytes& b, uint32_t number, const IndexFacts& index) {
  const bool jet4 = format.id == JetFormat::kJet4;
  if (jet4) b.Le32(kJet4TableMagic);
  b.Le32(number);  // logical index number
  b.Le32(number);  // its physical index
  b.U8(0);         // related table type
  b.Le32(kNoRelatedIndex);
  b.Le32(0);  // related table page
  b.U8(kAccessCascadeBytes);
  b.U8(kAccessCascadeBytes);
  b.U8(index.primary_key ? kPrimaryKeyIndexType : kPlainIndexType);
  if (jet4) b.Le32(0);
}

}  // namespace

bool BuildTableDefinition(const Format& format, const TableLayout& layout, const TableFacts& facts,
                          std::vector<uint8_t>* out, std::string* problem) {
  const bool jet4 = format.id == JetFormat::kJet4;
  const auto index_count = static_cast<uint32_t>(facts.indexes.size());
  out->clear();
  Bytes b(out);
  b.Zeros(kLengthOffset);  // the page head, put on by PaginateTableDefinition
  b.Le32(0);               // length, set below
  if (jet4) b.Le32(kJet4TableMagic);
  b.Le32(facts.row_count);
  b.Le32(0);  // next autonumber
  if (jet4) {
    b.U8(kJet4AutonumberFlag);
    b.Zeros(kJet4HeaderReservedSize);
  }
  b.U8(facts.system ? kSystemTableType : kUserTableType);
  const auto column_count = static_cast<uint16_t>(layout.columns.size());
  b.Le16(column_count);
  b.Le16(layout.var_count);
  b.Le16(column_count);
  b.Le32(index_count);
  b.Le32(index_count);
  b.Le32(facts.owned_pages_map);
  b.Le32(facts.free_space_map);

  for (size_t k = 0; k < facts.indexes.size(); ++k) {
    b.Le32(0);
    b.Le32(facts.row_count);
    if (jet4) b.Le32(0);
  }
  for (const Column& column : layout.columns) PutColumn(format, b, column, facts.system);
  for (const Column& column : layout.columns) {
    if (!PutName(format, b, column.name, problem)) return false;
  }
  std::vector<uint32_t> by_name(facts.indexes.size());
  for (uint32_t k = 0; k < by_name.size(); ++k) by_name[k] = k;
  std::sort(by_name.begin(), by_name.end(),
            [&](uint32_t x, uint32_t y) { return facts.indexes[x].name < facts.indexes[y].name; });
  for (const IndexFacts& index : facts.indexes) PutPhysicalIndex(format, b, index);
  for (uint32_t k : by_name) PutLogicalIndex(format, b, k, facts.indexes[k]);
  for (uint32_t k : by_name) {
    if (!PutName(format, b, facts.indexes[k].name, problem)) return false;
  }
  b.Le16(kEndOfDefinition);

  PutLe32(&(*out)[kLengthOffset], static_cast<uint32_t>(out->size()));
  return true;
}

std::vector<std::vector<uint8_t>> PaginateTableDefinition(const Format& format,
                                                          const std::vector<uint8_t>& definition,
                                                          uint32_t first_continuation) {
  // The first page holds the definition's own first bytes, head included;
  // each continuation starts its share after a head of its own.
  std::vector<std::vector<uint8_t>> pages;
  std::vector<size_t> used;
  const size_t size = format.page_size;
  size_t pos = 0;
  while (pos < definition.size()) {
    std::vector<uint8_t> page(size, 0);
    const size_t start = pages.empty() ? 0 : kContinuationStart;
    const size_t body = std::min(size - start, definition.size() - pos);
    std::copy_n(definition.begin() + static_cast<ptrdiff_t>(pos), body,
                page.begin() + static_cast<ptrdiff_t>(start));
    pos += body;
    used.push_back(start + body);
    pages.push_back(std::move(page));
  }
  // Jet 4 records the free space less 8 bytes; Jet 3 has "VC" there. The
  // owner field of a definition page names its next page.
  static_assert(kNextPageOffset == kPageOwnerOffset);
  for (size_t k = 0; k < pages.size(); ++k) {
    const size_t left = size - used[k];
    const uint16_t free_space =
        format.id == JetFormat::kJet4
            ? static_cast<uint16_t>(left >= kContinuationStart ? left - kContinuationStart : 0)
            : GetLe16(kJet3DefinitionId);
    const uint32_t next = k + 1 < pages.size() ? first_continuation + static_cast<uint32_t>(k) : 0;
    PutPageHead(pages[k].data(), kTableDefinitionPageType, free_space, next);
  }
  return pages;
}

}  // namespace vorelka::jet::writer
