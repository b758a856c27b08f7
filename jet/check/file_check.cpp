#include "jet/check/file_check.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "jet/format/format.h"
#include "jet/format/header_page.h"
#include "jet/format/jet_errors.h"
#include "services/error.h"

namespace vorelka::jet {
namespace {

using namespace format;  // NOLINT(google-build-using-namespace): the format checked
using namespace header;  // NOLINT(google-build-using-namespace)

[[noreturn]] void RaiseUnrecognized(const std::string& path, const std::string& why) {
  services::Raise(kErrUnrecognizedFormat,
                  "Unrecognized database format '" + path + "': " + why + ".");
}

[[noreturn]] void RaiseCannotOpen(const std::string& path, const std::string& why) {
  services::Raise(kErrCannotOpenFile, "Cannot open the file '" + path + "': " + why + ".");
}

[[noreturn]] void RaiseFromErrno(const std::string& path, int error) {
  if (error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG) {
    services::Raise(kErrFileNotFound, "Could not find file '" + path + "'.");
  }
  if (error == EACCES || error == EPERM) RaiseCannotOpen(path, "permission denied");
  RaiseCannotOpen(path, std::strerror(error));
}

// Closes the descriptor on every path out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

int OpenForReading(const std::string& absolute) {
  // Reading should not even move the access time where the kernel lets us
  // ask for that (the file's owner, or root).
  int fd = ::open(absolute.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOATIME);
  if (fd < 0 && errno == EPERM)
    fd = ::open(absolute.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  return fd;
}

}  // namespace

JetFileFacts CheckJetFile(const std::string& path) {
  if (path.empty()) services::Raise(kErrFileNotFound, "Could not find file ''.");

  JetFileFacts facts;
  std::error_code ec;
  facts.absolute_path = std::filesystem::absolute(path, ec).string();
  if (ec) RaiseFromErrno(path, ec.value());

  struct stat info {};
  if (::stat(facts.absolute_path.c_str(), &info) != 0) RaiseFromErrno(path, errno);
  if (S_ISDIR(info.st_mode)) RaiseCannotOpen(path, "it is a folder, not a file");
  if (!S_ISREG(info.st_mode)) RaiseCannotOpen(path, "it is not a regular file");

  const Descriptor fd(OpenForReading(facts.absolute_path));
  if (fd.get() < 0) RaiseFromErrno(path, errno);
  if (::fstat(fd.get(), &info) != 0) RaiseFromErrno(path, errno);

  const auto size = static_cast<uint64_t>(info.st_size);
  if (size == 0) RaiseUnrecognized(path, "the file is empty");

  std::array<uint8_t, kVersionOffset + 1> head{};
  const ssize_t got = ::pread(fd.get(), head.data(), head.size(), 0);
  if (got < 0) RaiseFromErrno(path, errno);
  if (static_cast<size_t>(got) < head.size()) RaiseUnrecognized(path, "the file is too short");

  const std::string_view signature(reinterpret_cast<const char*>(head.data()) + kSignatureOffset,
                                   kJetSignature.size());
  if (head[0] != kHeaderPageType ||
      (signature != kJetSignature && signature != kAceSignature)) {
    RaiseUnrecognized(path, "it is not a Jet or ACE database");
  }
  facts.version = head[kVersionOffset];
  if (facts.version > kLastKnownVersion) {
    RaiseUnrecognized(path, "unknown format version " + std::to_string(facts.version));
  }
  facts.page_size = FormatOfVersion(facts.version).page_size;
  if (size % facts.page_size != 0) {
    RaiseUnrecognized(path, "the file is truncated (it does not end on a page boundary)");
  }
  facts.page_count = size / facts.page_size;
  if (facts.page_count < kFewestPages) {
    RaiseUnrecognized(path, "the file is truncated (it has no system catalog)");
  }
  return facts;
}

}  // namespace vorelka::jet
