#include "jet/write/page_file.h"

namespace vorelka::jet::writer {

namespace {

constexpr size_t kBatchPages = 256;

}  // namespace

std::unique_ptr<PageFile> PageFile::Create(const std::filesystem::path& target, uint32_t page_size,
                                           std::string* problem) {
  auto file = services::ReplacingFile::Create(target, problem);
  if (!file) return nullptr;
  return std::unique_ptr<PageFile>(new PageFile(std::move(file), page_size));
}

PageFile::PageFile(std::unique_ptr<services::ReplacingFile> file, uint32_t page_size)
    : file_(std::move(file)), page_size_(page_size) {
  batch_.reserve(kBatchPages * page_size);
}

bool PageFile::Flush(std::string* problem) {
  const uint64_t base = static_cast<uint64_t>(batch_first_page_) * page_size_;
  if (!file_->WriteAt(base, batch_, problem)) return false;
  batch_.clear();
  return true;
}

bool PageFile::Write(uint32_t page, const uint8_t* bytes, std::string* problem) {
  const uint32_t batched = static_cast<uint32_t>(batch_.size() / page_size_);
  if (!batch_.empty() && page != batch_first_page_ + batched && !Flush(problem)) return false;
  if (batch_.empty()) batch_first_page_ = page;
  batch_.insert(batch_.end(), bytes, bytes + page_size_);
  if (batch_.size() >= kBatchPages * page_size_) return Flush(problem);
  return true;
}

bool PageFile::Commit(std::string* problem) {
  return Flush(problem) && file_->Commit(problem);
}

void PageFile::Discard() {
  file_->Discard();
  batch_.clear();
}

}  // namespace vorelka::jet::writer
