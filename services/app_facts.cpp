#include "services/app_facts.h"

#include <filesystem>
#include <system_error>

#include "services/error.h"
#include "services/version.h"

namespace vorelka::services {

std::string FormatVersion(const Version& version) {
  return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
         std::to_string(version.revision);
}

Version ProcessAppFacts::GetVersion() const {
  return Version{kVersionMajor, kVersionMinor, kVersionRevision};
}

std::string FolderOfExecutable(const std::string& resolved_path) {
  const auto slash = resolved_path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return resolved_path.substr(0, slash);
}

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
