// File names travel through the program as UTF-8 text. These turn that text
// into a path and back, on every platform (Windows's narrow paths are in the
// ANSI code page, which cannot name every file).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vorelka::services {

inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace vorelka::services
