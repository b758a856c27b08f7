#include "tests/support/jet_image.h"

#include <stdexcept>

#include "jet/format/header_page.h"
#include "tests/support/test_files.h"

namespace vorelka::testing {

namespace format = jet::format;

JetImage::JetImage(const std::filesystem::path& file) : bytes_(ReadBytes(file)) {
  if (bytes_.size() <= format::header::kVersionOffset) throw std::runtime_error("not a Jet file");
  format_ = &format::FormatOfVersion(static_cast<uint8_t>(bytes_[format::header::kVersionOffset]));
}

void JetImage::Save(const std::filesystem::path& file) const {
  WriteBytes(file, bytes_);
}

uint8_t* JetImage::Page(uint32_t page) {
  return reinterpret_cast<uint8_t*>(bytes_.data()) + size_t{page} * format_->page_size;
}

uint32_t JetImage::Get(uint32_t page, size_t offset, size_t size) const {
  const size_t at = size_t{page} * format_->page_size + offset;
  uint32_t value = 0;
  for (size_t i = size; i-- > 0;) value = value << 8 | static_cast<uint8_t>(bytes_.at(at + i));
  return value;
}

void JetImage::Put(uint32_t page, size_t offset, size_t size, uint32_t value) {
  const size_t at = size_t{page} * format_->page_size + offset;
  for (size_t i = 0; i < size; ++i) bytes_.at(at + i) = static_cast<char>(value >> (8 * i));
}

size_t JetImage::RowSlot(uint32_t row) const {
  return format_->data.header_size + format::data::kRowTableEntrySize * row;
}

size_t JetImage::RowStart(uint32_t page, uint32_t row) const {
  return Get(page, RowSlot(row), format::data::kRowTableEntrySize) & format::data::kRowOffsetMask;
}

size_t JetImage::RowEnd(uint32_t page, uint32_t row) const {
  return row == 0 ? format_->page_size : RowStart(page, row - 1);
}

size_t JetImage::RowStart(uint32_t row_pointer) const {
  return RowStart(format::data::PageOfRowPointer(row_pointer),
                  format::data::RowOfRowPointer(row_pointer));
}

size_t JetImage::ColumnEntry(uint32_t definition, uint32_t column) const {
  const format::TableDefinitionLayout& tdef = format_->tdef;
  return tdef.header_size +
         Get(definition, tdef.real_index_count_offset, 4) * tdef.real_index_count_size +
         column * tdef.column_size;
}

uint32_t JetImage::FirstDataPage(uint32_t definition) const {
  for (uint32_t page = 1; page < page_count(); ++page) {
    if (Get(page, format::kPageTypeOffset, 1) == format::kDataPageType &&
        Get(page, format::kPageOwnerOffset, 4) == definition) {
      return page;
    }
  }
  throw std::runtime_error("no data page");
}

}  // namespace vorelka::testing
