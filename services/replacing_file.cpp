#include "services/replacing_file.h"

#include "services/utf8_path.h"

namespace vorelka::services {

std::unique_ptr<ReplacingFile> ReplacingFile::Create(const std::filesystem::path& target,
                                                     std::string* problem) {
  std::error_code ec;
  if (std::filesystem::is_directory(target, ec)) {
    *problem = Utf8FromPath(target) + " is a folder";
    return nullptr;
  }
  // A hidden name beside the target, so that the move replaces it in one
  // step on the same file system.
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::filesystem::path temp;
  const intptr_t handle =
      CreateTemporary(folder / (std::filesystem::path(".") += target.filename()), &temp, problem);
  if (handle == -1) return nullptr;
  return std::unique_ptr<ReplacingFile>(new ReplacingFile(target, temp, handle));
}

ReplacingFile::~ReplacingFile() {
  Discard();
}

}  // namespace vorelka::services
