#include "jet/write/page_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vorelka::jet::writer {

namespace {

constexpr size_t kBatchPages = 256;
constexpr mode_t kNewFileMode = 0666;  // less the process's umask

std::string Why() {
  return std::strerror(errno);
}

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

}  // namespace

std::unique_ptr<PageFile> PageFile::Create(const std::filesystem::path& target, uint32_t page_size,
                                           std::string* problem) {
  std::error_code ec;
  if (std::filesystem::is_directory(target, ec)) {
    *problem = target.string() + " is a folder";
    return nullptr;
  }
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) {
    *problem = "cannot create a temporary file in " + folder.string() + ": " + Why();
    return nullptr;
  }
  ::fchmod(fd, kNewFileMode & ~CurrentUmask());
  return std::unique_ptr<PageFile>(new PageFile(target, pattern, fd, page_size));
}

PageFile::PageFile(std::filesystem::path target, std::filesystem::path temp, int fd,
                   uint32_t page_size)
    : target_(std::move(target)), temp_(std::move(temp)), fd_(fd), page_size_(page_size) {
  batch_.reserve(kBatchPages * page_size);
}

PageFile::~PageFile() {
  Discard();
}

bool PageFile::Flush(std::string* problem) {
  size_t done = 0;
  const off_t base = static_cast<off_t>(batch_first_page_) * page_size_;
  while (done < batch_.size()) {
    const ssize_t n =
        ::pwrite(fd_, batch_.data() + done, batch_.size() - done, base + static_cast<off_t>(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      *problem = "cannot write " + temp_.string() + ": " + Why();
      return false;
    }
    done += static_cast<size_t>(n);
  }
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
  if (!Flush(problem)) return false;
  if (::fsync(fd_) != 0) {
    *problem = "cannot write " + temp_.string() + ": " + Why();
    return false;
  }
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) {
    *problem = "cannot write " + temp_.string() + ": " + Why();
    return false;
  }
  if (::rename(temp_.c_str(), target_.c_str()) != 0) {
    *problem = "cannot replace " + target_.string() + ": " + Why();
    return false;
  }
  temp_.clear();
  return true;
}

void PageFile::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
  batch_.clear();
}

}  // namespace vorelka::jet::writer
