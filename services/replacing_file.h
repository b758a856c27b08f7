// A file that replaces its target only when it is whole: written as a
// temporary file in the target's folder, made durable, then moved over the
// target in one step. Until Commit the target is untouched; destroying an
// uncommitted file removes the temporary one. The platform's own calls live
// in one source file per platform.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

namespace vorelka::services {

class ReplacingFile {
 public:
  // Returns nullptr with *problem set when the temporary file cannot be
  // made (the target a folder, the folder missing or not writable).
  static std::unique_ptr<ReplacingFile> Create(const std::filesystem::path& target,
                                               std::string* problem);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes, std::string* problem);
  // Flushes to the disk, closes and moves the file over the target.
  bool Commit(std::string* problem);
  // Closes and removes the temporary file; the target stays as it was.
  void Discard();

 private:
  ReplacingFile(std::filesystem::path target, std::filesystem::path temp, intptr_t handle)
      : target_(std::move(target)), temp_(std::move(temp)), handle_(handle) {}
  // Creates a new file named `stem` and a suffix no other file has; its
  // handle, with *temp its name, or -1 with *problem set.
  static intptr_t CreateTemporary(const std::filesystem::path& stem, std::filesystem::path* temp,
                                  std::string* problem);

  std::filesystem::path target_;
  std::filesystem::path temp_;  // empty once committed or discarded
  intptr_t handle_;             // -1 once closed
};

}  // namespace vorelka::services
