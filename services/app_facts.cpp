#include "services/app_facts.h"

#include <filesystem>
#include <system_error>

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
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path(ec).string();
  return FolderOfExecutable(exe.string());
}

}  // namespace vorelka::services
