#include "services/app_facts.h"

#include "services/platform.h"
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
  const auto slash = resolved_path.find_last_of(kFolderSeparators);
  if (slash == std::string::npos) return ".";
  // A root keeps its separator: "/", or "C:\" on Windows.
  const std::string folder = resolved_path.substr(0, slash);
  return IsBareRoot(folder) ? resolved_path.substr(0, slash + 1) : folder;
}

}  // namespace vorelka::services
