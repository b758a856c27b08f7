// How this platform writes paths: the separator the program puts between a
// folder and a file name, the ones it accepts, and what a root looks like.
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
#else
inline constexpr char kFolderSeparator = '/';
inline constexpr char kFolderSeparators[] = "/";
inline bool IsBareRoot(std::string_view folder) {
  return folder.empty();
}
#endif

}  // namespace vorelka::services
