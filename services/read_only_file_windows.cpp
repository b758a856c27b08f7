#include <windows.h>

#include "services/read_only_file.h"
#include "services/windows_io.h"
#include "services/windows_text.h"

namespace vorelka::services {
namespace {

HANDLE HandleOf(intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

ReadOnlyFile::Opened Refused(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_FILENAME_EXCED_RANGE:
      return {nullptr, ReadOnlyFile::Problem::kNotFound, {}};
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return {nullptr, ReadOnlyFile::Problem::kDenied, {}};
    default:
      return {nullptr, ReadOnlyFile::Problem::kOther, SystemMessage(error)};
  }
}

}  // namespace

ReadOnlyFile::Opened ReadOnlyFile::Open(const std::string& path) {
  // Others may go on reading, writing and even deleting the file while it
  // is open: the reader never holds anybody up.
  const std::wstring wide = WideFromUtf8(path);
  const HANDLE file = CreateFileW(
      wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_RANDOM_ACCESS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    // A folder cannot be opened this way; say so rather than "denied".
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return {nullptr, Problem::kFolder, {}};
    }
    return Refused(error);
  }
  // Devices, pipes and consoles are not files to read pages from.
  LARGE_INTEGER size{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
    CloseHandle(file);
    return {nullptr, Problem::kNotRegularFile, {}};
  }
  return {std::unique_ptr<ReadOnlyFile>(new ReadOnlyFile(reinterpret_cast<intptr_t>(file),
                                                         static_cast<uint64_t>(size.QuadPart))),
          Problem::kNone,
          {}};
}

ReadOnlyFile::~ReadOnlyFile() {
  CloseHandle(HandleOf(handle_));
}

bool ReadOnlyFile::ReadAt(uint64_t offset, std::span<uint8_t> out) const {
  size_t done = 0;
  while (done < out.size()) {
    OVERLAPPED at = At(offset + done);
    DWORD got = 0;
    if (!ReadFile(HandleOf(handle_), out.data() + done, TransferSize(out.size() - done), &got,
                  &at) ||
        got == 0) {
      return false;
    }
    done += got;
  }
  return true;
}

}  // namespace vorelka::services
