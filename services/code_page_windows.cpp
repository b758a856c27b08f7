#include <windows.h>

#include "services/code_page.h"
#include "services/windows_text.h"

namespace vorelka::services {
namespace {

constexpr UINT kWestern = 1252;

// One character of `code_page` from `bytes`, or nothing when the code page
// does not define it.
bool Convert(UINT code_page, const uint8_t* bytes, int count, std::wstring& out) {
  const auto* in = reinterpret_cast<const char*>(bytes);
  const int length = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, in, count, nullptr, 0);
  if (length <= 0) return false;
  const size_t at = out.size();
  out.resize(at + static_cast<size_t>(length));
  MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, in, count, out.data() + at, length);
  return true;
}

}  // namespace

std::string ConvertCodePage(uint16_t code_page, std::span<const uint8_t> bytes) {
  const UINT page = IsValidCodePage(code_page) ? code_page : kWestern;
  std::wstring wide;
  const int count = static_cast<int>(bytes.size());
  if (Convert(page, bytes.data(), count, wide)) return Utf8FromWide(wide);
  // Some byte is not a character of the code page: convert character by
  // character, each undefined byte becoming one '?'.
  CPINFO info{};
  const int widest = GetCPInfo(page, &info) ? static_cast<int>(info.MaxCharSize) : 1;
  for (int at = 0; at < count;) {
    int width = 1;
    while (width <= widest && at + width <= count &&
           !Convert(page, bytes.data() + at, width, wide)) {
      ++width;
    }
    if (width > widest || at + width > count) {
      wide.push_back(L'?');
      width = 1;
    }
    at += width;
  }
  return Utf8FromWide(wide);
}

}  // namespace vorelka::services
