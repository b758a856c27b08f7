#include "window/runtime_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace vorelka::window {
namespace {

constexpr char kRuntimeVariable[] = "XDG_RUNTIME_DIR";
constexpr char kTemporaryVariable[] = "TMPDIR";

const char* RuntimeFolderNamed() {
  const char* runtime = std::getenv(kRuntimeVariable);
  return runtime == nullptr || *runtime == '\0' ? nullptr : runtime;
}

}  // namespace

// Qt's own test of the folder: lstat, so a symbolic link is refused even
// when it leads to a good folder; only the permission bits count, as Qt's
// permission flags hold no set-id or sticky bit.
bool IsUsableRuntimeFolder(const char* path) {
  struct stat info {};
  if (lstat(path, &info) != 0) return false;
  return S_ISDIR(info.st_mode) && info.st_uid == geteuid() && (info.st_mode & 0777) == 0700;
}

bool RuntimeFolderWouldBeMade() {
  const char* runtime = RuntimeFolderNamed();
  return runtime == nullptr || !IsUsableRuntimeFolder(runtime);
}

void KeepFromMakingRuntimeFolder() {
  if (!RuntimeFolderWouldBeMade()) return;
  // A name that leads nowhere: Qt would make the folder itself. A name of
  // something that exists but will not do stays for the others that read
  // it (a Wayland socket may well lie there); Qt passes it over unchanged.
  if (const char* runtime = RuntimeFolderNamed()) {
    struct stat info {};
    if (lstat(runtime, &info) != 0) unsetenv(kRuntimeVariable);
  }
  setenv(kTemporaryVariable, kNoTemporaryFolder, 1);
}

}  // namespace vorelka::window
