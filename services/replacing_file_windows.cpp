#include <windows.h>

#include <random>

#include "services/replacing_file.h"
#include "services/utf8_path.h"
#include "services/windows_io.h"
#include "services/windows_text.h"

namespace vorelka::services {
namespace {

HANDLE HandleOf(intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

std::string Why() {
  return SystemMessage(GetLastError());
}

}  // namespace

intptr_t ReplacingFile::CreateTemporary(const std::filesystem::path& stem,
                                        std::filesystem::path* temp, std::string* problem) {
  // CREATE_NEW refuses a name that is taken: draw another.
  std::random_device entropy;
  for (int attempt = 0; attempt < 100; ++attempt) {
    *temp = stem.wstring() + L"." + std::to_wstring(entropy() & 0xFFFFFFu);
    const HANDLE file = CreateFileW(temp->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return reinterpret_cast<intptr_t>(file);
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  *problem = "cannot create a temporary file in " + Utf8FromPath(stem.parent_path()) + ": " + Why();
  return -1;
}

bool ReplacingFile::WriteAt(uint64_t offset, std::span<const uint8_t> bytes, std::string* problem) {
  size_t done = 0;
  while (done < bytes.size()) {
    OVERLAPPED at = At(offset + done);
    DWORD written = 0;
    if (!WriteFile(HandleOf(handle_), bytes.data() + done, TransferSize(bytes.size() - done),
                   &written, &at) ||
        written == 0) {
      *problem = "cannot write " + Utf8FromPath(temp_) + ": " + Why();
      return false;
    }
    done += written;
  }
  return true;
}

bool ReplacingFile::Commit(std::string* problem) {
  const HANDLE file = HandleOf(handle_);
  handle_ = -1;
  if (!FlushFileBuffers(file)) {
    *problem = "cannot write " + Utf8FromPath(temp_) + ": " + Why();
    CloseHandle(file);
    return false;
  }
  CloseHandle(file);
  if (!MoveFileExW(temp_.c_str(), target_.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    *problem = "cannot replace " + Utf8FromPath(target_) + ": " + Why();
    return false;
  }
  temp_.clear();
  return true;
}

void ReplacingFile::Discard() {
  if (handle_ != -1) CloseHandle(HandleOf(handle_));
  handle_ = -1;
  if (!temp_.empty()) DeleteFileW(temp_.c_str());
  temp_.clear();
}

}  // namespace vorelka::services
