#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "services/replacing_file.h"
#include "services/utf8_path.h"

namespace vorelka::services {
namespace {

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

intptr_t ReplacingFile::CreateTemporary(const std::filesystem::path& stem,
                                        std::filesystem::path* temp, std::string* problem) {
  std::string pattern = stem.string() + ".XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) {
    *problem =
        "cannot create a temporary file in " + Utf8FromPath(stem.parent_path()) + ": " + Why();
    return -1;
  }
  ::fchmod(fd, kNewFileMode & ~CurrentUmask());
  *temp = pattern;
  return fd;
}

bool ReplacingFile::WriteAt(uint64_t offset, std::span<const uint8_t> bytes, std::string* problem) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(static_cast<int>(handle_), bytes.data() + done, bytes.size() - done,
                               static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      *problem = "cannot write " + Utf8FromPath(temp_) + ": " + Why();
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

bool ReplacingFile::Commit(std::string* problem) {
  const int fd = static_cast<int>(handle_);
  handle_ = -1;
  if (::fsync(fd) != 0) {
    *problem = "cannot write " + Utf8FromPath(temp_) + ": " + Why();
    ::close(fd);
    return false;
  }
  if (::close(fd) != 0) {
    *problem = "cannot write " + Utf8FromPath(temp_) + ": " + Why();
    return false;
  }
  if (::rename(temp_.c_str(), target_.c_str()) != 0) {
    *problem = "cannot replace " + Utf8FromPath(target_) + ": " + Why();
    return false;
  }
  temp_.clear();
  return true;
}

void ReplacingFile::Discard() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
  handle_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}

}  // namespace vorelka::services
