// Byte-level text helpers every reader of `vorelka-words` shares.
#pragma once

#include <string>
#include <string_view>

namespace vorelka::tools {

// The UTF-8 byte-order mark some editors put at the start of a file.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// `bytes` without a leading byte-order mark.
inline std::string_view WithoutByteOrderMark(std::string_view bytes) {
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  return bytes;
}

// ASCII letters lower-cased, every other byte kept: for option values,
// extensions, header keys and column names, which are ASCII by definition.
inline std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace vorelka::tools
