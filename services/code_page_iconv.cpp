#include <iconv.h>

#include <map>
#include <mutex>

#include "services/code_page.h"

namespace vorelka::services {
namespace {

struct CodePageName {
  uint16_t code_page;
  const char* iconv_name;
};

// The code pages Access 97 was sold with, and the OEM ones.
constexpr CodePageName kCodePages[] = {
    {437, "IBM437"},        {850, "IBM850"},        {852, "IBM852"},        {855, "IBM855"},
    {866, "IBM866"},        {874, "WINDOWS-874"},   {932, "SHIFT_JIS"},     {936, "GBK"},
    {949, "CP949"},         {950, "BIG5"},          {1250, "WINDOWS-1250"}, {1251, "WINDOWS-1251"},
    {1252, "WINDOWS-1252"}, {1253, "WINDOWS-1253"}, {1254, "WINDOWS-1254"}, {1255, "WINDOWS-1255"},
    {1256, "WINDOWS-1256"}, {1257, "WINDOWS-1257"}, {1258, "WINDOWS-1258"}, {20866, "KOI8-R"},
    {21866, "KOI8-U"},      {28591, "ISO-8859-1"},  {28595, "ISO-8859-5"},  {65001, "UTF-8"},
};
constexpr uint16_t kWestern = 1252;
const iconv_t kNoConversion = reinterpret_cast<iconv_t>(-1);

const char* IconvName(uint16_t code_page) {
  for (const auto& entry : kCodePages) {
    if (entry.code_page == code_page) return entry.iconv_name;
  }
  return nullptr;
}

// One converter per code page, opened on first use and kept: opening one
// costs far more than a word's conversion.
class Converters {
 public:
  iconv_t For(uint16_t code_page) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (auto found = open_.find(code_page); found != open_.end()) return found->second;
    const char* name = IconvName(code_page);
    iconv_t converter = name != nullptr ? iconv_open("UTF-8", name) : kNoConversion;
    if (converter == kNoConversion && code_page != kWestern) {
      converter = iconv_open("UTF-8", IconvName(kWestern));
    }
    open_.emplace(code_page, converter);
    return converter;
  }

 private:
  std::mutex mutex_;
  std::map<uint16_t, iconv_t> open_;
};

Converters& TheConverters() {
  static Converters* converters = new Converters();  // kept to the end, as the handles are
  return *converters;
}

}  // namespace

std::string ConvertCodePage(uint16_t code_page, std::span<const uint8_t> bytes) {
  const iconv_t converter = TheConverters().For(code_page);
  std::string out;
  if (converter == kNoConversion) {
    for (const uint8_t b : bytes) out.push_back(b < 0x80 ? static_cast<char>(b) : '?');
    return out;
  }
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  // Each byte becomes at most four of UTF-8 (three for the code pages here).
  out.resize(bytes.size() * 4 + 4);
  char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
  size_t in_left = bytes.size();
  char* to = out.data();
  size_t to_left = out.size();
  while (in_left > 0) {
    if (iconv(converter, &in, &in_left, &to, &to_left) != static_cast<size_t>(-1)) break;
    // A byte the code page lacks (or a cut multi-byte character): one '?'.
    ++in;
    --in_left;
    *to++ = '?';
    --to_left;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize(out.size() - to_left);
  return out;
}

}  // namespace vorelka::services
