#include <filesystem>
#include <system_error>

#include "services/app_facts.h"
#include "services/error.h"

namespace vorelka::services {

std::string ProcessAppFacts::Folder() const {
  // The kernel's link names the executable with every symlink resolved, so
  // a program started through a link in bin/ still finds its own folder.
  // Without it there is no folder to look in: the current directory is
  // some other folder, and a words.mdb there is not the program's.
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink(self_link_, ec);
  if (ec) {
    Raise(kErrPathNotFound, "Path not found: the program's folder cannot be found (" + self_link_ +
                                ": " + ec.message() + ").");
  }
  return FolderOfExecutable(exe.string());
}

}  // namespace vorelka::services
