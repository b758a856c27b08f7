#include "tests/reliability/damaged_file.h"

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "jet/format/page_file.h"
#include "jet/read/catalog_lookup.h"

namespace vorelka::reliability {
namespace {

constexpr uint32_t kVersionOffset = 0x14;
constexpr uint8_t kDataPageType = 0x01;
constexpr uint32_t kOwnerOffset = 4;
constexpr uint32_t kRowOffsetMask = 0x1FFF;

}  // namespace

TempFolder::TempFolder() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "vorelka-reliability-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void BuildWords(const std::filesystem::path& path, jet::JetFormat format, int rows) {
  jet::WordsTableBuilder builder(path, format);
  for (int id = 1; id <= rows; ++id) {
    builder.Add({id, {"word " + std::to_string(id), "слово " + std::to_string(id)}});
  }
  const auto status = builder.Finish();
  if (!status.ok()) throw std::runtime_error(status.message());
}

JetBytes::JetBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  bytes_.assign(std::istreambuf_iterator<char>(in), {});
  if (bytes_.size() <= kVersionOffset) throw std::runtime_error("not a Jet file");
  page_size_ = bytes_[kVersionOffset] == 0 ? 2048 : 4096;
}

void JetBytes::Save(const std::filesystem::path& path) const {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes_.data()),
             static_cast<std::streamsize>(bytes_.size()));
}

uint32_t JetBytes::U16(uint32_t page, uint32_t offset) const {
  const size_t at = size_t{page} * page_size_ + offset;
  return bytes_.at(at) | bytes_.at(at + 1) << 8;
}

uint32_t JetBytes::U32(uint32_t page, uint32_t offset) const {
  return U16(page, offset) | U16(page, offset + 2) << 16;
}

void JetBytes::Put8(uint32_t page, uint32_t offset, uint32_t value) {
  bytes_.at(size_t{page} * page_size_ + offset) = static_cast<uint8_t>(value);
}

void JetBytes::Put16(uint32_t page, uint32_t offset, uint32_t value) {
  Put8(page, offset, value);
  Put8(page, offset + 1, value >> 8);
}

void JetBytes::Put32(uint32_t page, uint32_t offset, uint32_t value) {
  Put16(page, offset, value);
  Put16(page, offset + 2, value >> 16);
}

uint32_t JetBytes::FirstDataPage(uint32_t definition) const {
  for (uint32_t page = 1; page < page_count(); ++page) {
    if (bytes_[size_t{page} * page_size_] == kDataPageType &&
        U32(page, kOwnerOffset) == definition) {
      return page;
    }
  }
  throw std::runtime_error("no data page");
}

uint32_t WordsDefinitionPage(const std::filesystem::path& path) {
  jet::format::PageFile file(path.string());
  return jet::FindTable(file, "Words").definition_page;
}

uint32_t JetBytes::SlotOffset(uint32_t row) const {
  return (jet3() ? 8 : 12) + 2 + row * 2;
}

uint32_t JetBytes::RowStart(uint32_t page, uint32_t row) const {
  return U16(page, SlotOffset(row)) & kRowOffsetMask;
}

}  // namespace vorelka::reliability
