// The file being built: a temporary file beside the target, written page by
// page, put in the target's place only on Commit. Destroying an uncommitted
// PageFile removes the temporary file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "services/replacing_file.h"

namespace vorelka::jet::writer {

class PageFile {
 public:
  // Returns nullptr with *problem set when the file cannot be created.
  static std::unique_ptr<PageFile> Create(const std::filesystem::path& target, uint32_t page_size,
                                          std::string* problem);

  // Writes one page. Pages written in ascending order are batched.
  bool Write(uint32_t page, const uint8_t* bytes, std::string* problem);
  // Flushes, syncs and moves the file over the target.
  bool Commit(std::string* problem);
  // Closes and removes the temporary file.
  void Discard();

 private:
  PageFile(std::unique_ptr<services::ReplacingFile> file, uint32_t page_size);
  bool Flush(std::string* problem);

  std::unique_ptr<services::ReplacingFile> file_;
  uint32_t page_size_;
  std::vector<uint8_t> batch_;
  uint32_t batch_first_page_ = 0;
};

}  // namespace vorelka::jet::writer
