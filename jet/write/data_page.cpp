#include "jet/write/data_page.h"

#include <cstring>

#include "jet/write/page_head.h"

namespace vorelka::jet::writer {

using namespace format;  // NOLINT(google-build-using-namespace): the format this writes
using namespace data;    // NOLINT(google-build-using-namespace)
DataPage::DataPage(const Format& format, uint32_t owner_page)
    : format_(format), owner_page_(owner_page), page_(format.page_size) {
  Clear();
}

void DataPage::Clear() {
  std::memset(page_.data(), 0, page_.size());
  row_count_ = 0;
  rows_start_ = format_.page_size;
  PutHead();
}

void DataPage::PutHead() {
  PutPageHead(page_.data(), kDataPageType, static_cast<uint16_t>(FreeSpace()), owner_page_);
}

size_t DataPage::FreeSpace() const {
  return rows_start_ - format_.data.header_size - kRowTableEntrySize * row_count_;
}

bool DataPage::Fits(size_t row_size) const {
  return row_count_ < kMaxRowsPerPage && row_size + kRowTableEntrySize <= FreeSpace();
}

uint8_t DataPage::AddRow(const uint8_t* row, size_t size) {
  rows_start_ -= size;
  std::memcpy(&page_[rows_start_], row, size);
  PutLe16(&page_[format_.data.header_size + kRowTableEntrySize * row_count_],
          static_cast<uint16_t>(rows_start_));
  const auto row_number = static_cast<uint8_t>(row_count_++);
  PutLe16(&page_[format_.data.row_count_offset], static_cast<uint16_t>(row_count_));
  PutHead();
  return row_number;
}

}  // namespace vorelka::jet::writer
