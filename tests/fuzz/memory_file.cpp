#include "tests/fuzz/memory_file.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>

#include "jet/format/format.h"
#include "jet/format/header_page.h"

namespace vorelka::fuzz {

const std::string& MemoryFileWith(const uint8_t* data, size_t size) {
  static const int fd = memfd_create("words.mdb", MFD_CLOEXEC);
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  if (fd < 0 || ftruncate(fd, 0) != 0) std::abort();
  size_t done = 0;
  while (done < size) {
    const ssize_t wrote = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
    if (wrote <= 0) std::abort();
    done += static_cast<size_t>(wrote);
  }
  return path;
}

size_t WholePages(const uint8_t* data, size_t size) {
  namespace format = jet::format;
  if (size <= format::kJet4.page_size) return size;
  return size - size % format::FormatOfVersion(data[format::header::kVersionOffset]).page_size;
}

}  // namespace vorelka::fuzz
