// What differs between the platforms in plain values: how paths are written
// (the separator the program puts between a folder and a file name, the
// ones it accepts, what a root looks like) and how keys are numbered.
#pragma once

#include <string_view>

namespace vorelka::services {

#ifdef _WIN32
inline constexpr char kFolderSeparator = '\\';
inline constexpr char kFolderSeparators[] = "\\/";
// "C:" is the drive's root written without its separator.
inline bool IsBareRoot(std::string_view folder) {
  return folder.empty() || (folder.size() == 2 && folder[1] == ':');
}
// Key events' native scan codes are the keyboard's set-1 make codes.
inline constexpr unsigned kNativeScanCodeOffset = 0;
#else
inline constexpr char kFolderSeparator = '/';
inline constexpr char kFolderSeparators[] = "/";
inline bool IsBareRoot(std::string_view folder) {
  return folder.empty();
}
// X11 and Wayland give XKB keycodes: the Linux evdev codes (for the letter
// block numerically the set-1 codes) plus 8.
inline constexpr unsigned kNativeScanCodeOffset = 8;
#endif

}  // namespace vorelka::services
