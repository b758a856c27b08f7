#include "jet/format/decode_value.h"

#include <algorithm>
#include <array>
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "jet/format/bytes.h"
#include "jet/format/header_page.h"

namespace vorelka::jet::format::value {
namespace {

template <typename T>
T Load(std::span<const uint8_t> bytes) {
  T value;
  std::memcpy(&value, bytes.data(), sizeof value);
  return value;
}

template <typename... Args>
std::string Printed(const char* format, Args... args) {
  std::array<char, 64> text{};
  std::snprintf(text.data(), text.size(), format, args...);
  return text.data();
}

// Days in the months before each month, in a common and in a leap year.
constexpr int kCommonYear[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
constexpr int kLeapYear[13] = {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366};
constexpr long kDaysBefore1899_12_31 = 693593;  // from 0001-01-01

}  // namespace

std::string DateText(std::span<const uint8_t> value) {
  const double date = Load<double>(value);
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (date >= 0.0 && date <= kLastReadableDate) {
    long days = static_cast<long>(date);
    const long time = static_cast<long>((date - static_cast<double>(days)) * header::kSecondsPerDay + 0.5);
    hour = static_cast<int>(time / 3600);
    minute = static_cast<int>(time / 60 % 60);
    second = static_cast<int>(time % 60);
    days += kDaysBefore1899_12_31;
    long y = 1;
    long q = days / 146097;
    y += 400 * q;
    days -= q * 146097;
    q = std::min(days / 36524, 3L);
    y += 100 * q;
    days -= q * 36524;
    q = days / 1461;
    y += 4 * q;
    days -= q * 1461;
    q = std::min(days / 365, 3L);
    y += q;
    days -= q * 365;
    const bool leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
    const int* before = leap ? kLeapYear : kCommonYear;
    while (month < 12 && days >= before[month + 1]) ++month;
    year = static_cast<int>(y);
    day = static_cast<int>(days - before[month] + 1);
  }
  // Day 0 of January of the year 1900, for the dates outside the range.
  const int shown_year = date >= 0.0 && date <= kLastReadableDate ? year % 100 : 0;
  return Printed("%02d/%02d/%02d %02d:%02d:%02d", month + 1, day, shown_year, hour, minute, second);
}

std::string CurrencyText(std::span<const uint8_t> value) {
  const auto ten_thousandths = Load<int64_t>(value);
  const bool negative = ten_thousandths < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(ten_thousandths)
                                      : static_cast<uint64_t>(ten_thousandths);
  return Printed("%s%" PRIu64 ".%04" PRIu64, negative ? "-" : "", magnitude / kCurrencyScale,
                 magnitude % kCurrencyScale);
}

std::string DecimalText(std::span<const uint8_t> value, int scale) {
  std::array<uint32_t, kDecimalWords> words{};
  for (size_t w = 0; w < words.size(); ++w) words[w] = GetLe32(value, kDecimalWordsOffset + 4 * w);
  // Repeated division by ten of the 128-bit magnitude, most significant first.
  std::string digits;
  while (words[0] != 0 || words[1] != 0 || words[2] != 0 || words[3] != 0) {
    uint64_t remainder = 0;
    for (uint32_t& word : words) {
      const uint64_t current = remainder << 32 | word;
      word = static_cast<uint32_t>(current / 10);
      remainder = current % 10;
    }
    digits.push_back(static_cast<char>('0' + remainder));  // least significant first
  }
  if (digits.size() <= static_cast<size_t>(scale)) digits.resize(static_cast<size_t>(scale) + 1, '0');
  std::string text = (value[kDecimalSignOffset] & kDecimalNegative) != 0 ? "-" : "";
  for (size_t i = digits.size(); i-- > 0;) {
    text.push_back(digits[i]);
    if (i == static_cast<size_t>(scale) && i > 0) text.push_back('.');
  }
  return text;
}

std::string ReplicationIdText(std::span<const uint8_t> id) {
  return Printed("{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X%02X%02X}", id[3],
                 id[2], id[1], id[0], id[5], id[4], id[7], id[6], id[8], id[9], id[10], id[11],
                 id[12], id[13], id[14], id[15]);
}

std::string SingleText(std::span<const uint8_t> value) {
  return Printed("%.8g", static_cast<double>(Load<float>(value)));
}

std::string DoubleText(std::span<const uint8_t> value) {
  return Printed("%.16g", Load<double>(value));
}

}  // namespace vorelka::jet::format::value
