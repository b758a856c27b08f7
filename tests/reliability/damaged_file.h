// Word databases made by our writer, then damaged on purpose: the bytes of
// a file with helpers to find its structures (the Words definition, its
// usage-map row, its data page) and to overwrite them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "jet/write/words_table_builder.h"

namespace vorelka::reliability {

// A folder under the system's temporary folder, removed with everything in
// it when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Writes a Words table of `rows` rows (keys 1..rows, English "word N",
// Russian "слово N") to `path`.
void BuildWords(const std::filesystem::path& path, jet::JetFormat format, int rows);

// The page of the Words definition, as libmdb's catalog names it.
uint32_t WordsDefinitionPage(const std::filesystem::path& path);

class JetBytes {
 public:
  explicit JetBytes(const std::filesystem::path& path);
  void Save(const std::filesystem::path& path) const;

  uint32_t page_size() const { return page_size_; }
  uint32_t page_count() const { return static_cast<uint32_t>(bytes_.size() / page_size_); }
  bool jet3() const { return page_size_ == 2048; }
  std::vector<uint8_t>& bytes() { return bytes_; }

  uint32_t U16(uint32_t page, uint32_t offset) const;
  uint32_t U32(uint32_t page, uint32_t offset) const;
  void Put8(uint32_t page, uint32_t offset, uint32_t value);
  void Put16(uint32_t page, uint32_t offset, uint32_t value);
  void Put32(uint32_t page, uint32_t offset, uint32_t value);

  // The first data page owned by the definition on `definition`.
  uint32_t FirstDataPage(uint32_t definition) const;
  // The offset in the page of the row-table slot of `row`.
  uint32_t SlotOffset(uint32_t row) const;
  uint32_t RowStart(uint32_t page, uint32_t row) const;

 private:
  std::vector<uint8_t> bytes_;
  uint32_t page_size_ = 0;
};

}  // namespace vorelka::reliability
