#include "tests/writer/system_definition.h"

#include <algorithm>
#include <stdexcept>

namespace vorelka::testing {
namespace {

class Cursor {
 public:
  Cursor(const std::string& bytes, size_t at, size_t end) : bytes_(bytes), at_(at), end_(end) {}
  uint32_t U8() { return Byte(at_++); }
  uint32_t U16() {
    const uint32_t v = U8();
    return v | U8() << 8;
  }
  uint32_t U32() {
    const uint32_t v = U16();
    return v | U16() << 16;
  }
  void Skip(size_t n) { at_ += n; }
  size_t at() const { return at_; }
  uint32_t Byte(size_t at) const {
    if (at >= end_) throw std::out_of_range("the definition runs past its page");
    return static_cast<uint8_t>(bytes_[at]);
  }
  // An ASCII name: one byte per character in Jet 3, UCS-2 in Jet 4.
  std::string Name(bool jet4) {
    const size_t length = jet4 ? U16() : U8();
    std::string name;
    for (size_t i = 0; i < length; i += jet4 ? 2 : 1) name.push_back(static_cast<char>(Byte(at_ + i)));
    at_ += length;
    return name;
  }

 private:
  const std::string& bytes_;
  size_t at_;
  size_t end_;
};

}  // namespace

// Offsets as mdbtools' HACKING.md gives them (Jet 4 / Jet 3).
Definition ReadDefinition(const std::string& file_bytes, jet::JetFormat format, uint32_t page) {
  const bool jet4 = format == jet::JetFormat::kJet4;
  const size_t page_size = jet4 ? 4096 : 2048;
  const size_t base = page * page_size;
  Cursor c(file_bytes, base, base + page_size);
  Definition d;
  c.Skip(jet4 ? 16 : 12);
  d.rows = c.U32();
  c.Skip(jet4 ? 20 : 4);
  d.table_type = static_cast<int>(c.U8());
  c.Skip(4);  // highest column number, variable columns
  const uint32_t column_count = c.U16();
  const uint32_t index_count = c.U32();
  const uint32_t real_index_count = c.U32();
  d.owned_pages_map = c.U32();
  c.Skip(4 + real_index_count * (jet4 ? 12 : 8));

  std::vector<uint32_t> numbers;
  for (uint32_t i = 0; i < column_count; ++i) {
    const size_t entry = c.at();
    DefinedColumn column;
    column.type = static_cast<int>(c.Byte(entry));
    numbers.push_back(c.Byte(entry + (jet4 ? 5 : 1)) | c.Byte(entry + (jet4 ? 6 : 2)) << 8);
    const size_t sort = entry + (jet4 ? 11 : 9);
    column.sort_order = static_cast<int>(c.Byte(sort) | c.Byte(sort + 1) << 8);
    column.flags = static_cast<int>(c.Byte(entry + (jet4 ? 15 : 13)));
    column.compressed = jet4 && (c.Byte(entry + 16) & 0x01) != 0;
    const size_t length = entry + (jet4 ? 23 : 16);
    column.length = static_cast<int>(c.Byte(length) | c.Byte(length + 1) << 8);
    d.columns.push_back(column);
    c.Skip(jet4 ? 25 : 18);
  }
  for (DefinedColumn& column : d.columns) column.name = c.Name(jet4);
  std::vector<DefinedColumn> by_number(d.columns.size());
  for (size_t i = 0; i < d.columns.size(); ++i) by_number.at(numbers[i]) = d.columns[i];

  struct Real {
    std::vector<std::string> columns;
    int flags;
    uint32_t root;
    uint32_t map;
  };
  std::vector<Real> reals;
  for (uint32_t i = 0; i < real_index_count; ++i) {
    if (jet4) c.Skip(4);
    Real real;
    for (int slot = 0; slot < 10; ++slot) {
      const uint32_t number = c.U16();
      const uint32_t order = c.U8();
      if (number == 0xFFFF) continue;
      real.columns.push_back(by_number.at(number).name + (order == 0x01 ? "" : " DESC"));
    }
    real.map = c.U32();
    real.root = c.U32();
    if (jet4) c.Skip(4);
    real.flags = static_cast<int>(c.U8());
    if (jet4) c.Skip(5);
    reals.push_back(real);
  }
  std::vector<std::pair<uint32_t, DefinedIndex>> logical;
  for (uint32_t i = 0; i < index_count; ++i) {
    if (jet4) c.Skip(4);
    const uint32_t number = c.U32();
    const uint32_t real = c.U32();
    c.Skip(11);
    DefinedIndex index;
    index.primary_key = c.U8() == 0x01;
    if (jet4) c.Skip(4);
    index.columns = reals.at(real).columns;
    index.flags = reals.at(real).flags;
    index.root_page = reals.at(real).root;
    index.usage_map = reals.at(real).map;
    logical.emplace_back(number, index);
  }
  for (auto& [number, index] : logical) index.name = c.Name(jet4);
  std::sort(logical.begin(), logical.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& [number, index] : logical) d.indexes.push_back(index);
  d.columns = by_number;
  return d;
}

}  // namespace vorelka::testing
