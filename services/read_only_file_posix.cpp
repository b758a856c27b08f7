#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "services/read_only_file.h"

namespace vorelka::services {
namespace {

ReadOnlyFile::Opened Refused(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
      return {nullptr, ReadOnlyFile::Problem::kNotFound, {}};
    case EACCES:
    case EPERM:
      return {nullptr, ReadOnlyFile::Problem::kDenied, {}};
    case EISDIR:
      return {nullptr, ReadOnlyFile::Problem::kFolder, {}};
    default:
      return {nullptr, ReadOnlyFile::Problem::kOther, std::strerror(error)};
  }
}

}  // namespace

ReadOnlyFile::Opened ReadOnlyFile::Open(const std::string& path) {
  // O_NONBLOCK: a FIFO put where the file should be must not hang the open.
  constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  int fd = ::open(path.c_str(), kFlags | O_NOATIME);
  if (fd < 0 && errno == EPERM) fd = ::open(path.c_str(), kFlags);  // not the owner
  if (fd < 0) return Refused(errno);
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    const int error = errno;
    ::close(fd);
    return Refused(error);
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    return {nullptr, S_ISDIR(info.st_mode) ? Problem::kFolder : Problem::kNotRegularFile, {}};
  }
  return {std::unique_ptr<ReadOnlyFile>(
              new ReadOnlyFile(fd, static_cast<uint64_t>(info.st_size))),
          Problem::kNone,
          {}};
}

ReadOnlyFile::~ReadOnlyFile() {
  ::close(static_cast<int>(handle_));
}

bool ReadOnlyFile::ReadAt(uint64_t offset, std::span<uint8_t> out) const {
  size_t done = 0;
  while (done < out.size()) {
    const ssize_t got = ::pread(static_cast<int>(handle_), out.data() + done, out.size() - done,
                                static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += static_cast<size_t>(got);
  }
  return true;
}

}  // namespace vorelka::services
