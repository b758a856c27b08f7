// A file opened for reading only: never locked, mapped or written, and read
// with positioned reads, so that a file cut short under the reader gives a
// short read rather than a signal. The platform's own calls live in one
// source file per platform.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace vorelka::services {

class ReadOnlyFile {
 public:
  enum class Problem { kNone, kNotFound, kFolder, kNotRegularFile, kDenied, kOther };

  struct Opened {
    std::unique_ptr<ReadOnlyFile> file;  // set when problem is kNone
    Problem problem = Problem::kNone;
    std::string detail;  // the system's words for kOther
  };

  // `path` is UTF-8. Reading does not move the file's access time where the
  // system lets a reader ask for that.
  static Opened Open(const std::string& path);

  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  uint64_t size() const { return size_; }
  // Fills `out` from `offset`; false when the file has fewer bytes there or
  // the read fails.
  bool ReadAt(uint64_t offset, std::span<uint8_t> out) const;

 private:
  ReadOnlyFile(intptr_t handle, uint64_t size) : handle_(handle), size_(size) {}

  intptr_t handle_;
  uint64_t size_;
};

}  // namespace vorelka::services
