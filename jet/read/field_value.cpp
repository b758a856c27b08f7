#include "jet/read/field_value.h"

#include <algorithm>
#include <array>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "jet/format/bytes.h"
#include "jet/format/decode_long_value.h"
#include "jet/format/decode_text.h"
#include "jet/format/header_page.h"

namespace vorelka::jet {
namespace {

using namespace format::tdef;  // NOLINT(google-build-using-namespace): the column types

template <typename T>
T Load(std::span<const uint8_t> bytes) {
  T value;
  std::memcpy(&value, bytes.data(), sizeof value);  // the file and the machine are little-endian
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
constexpr double kLastReadableDate = 1e6;      // about the year 2700

// A Decimal: a sign byte, then the magnitude in four little-endian 32-bit
// words, the most significant first; the column's scale places the point.
std::string DecimalText(std::span<const uint8_t> value, int scale) {
  constexpr uint8_t kNegative = 0x80;
  std::array<uint32_t, 4> words{};
  for (size_t w = 0; w < words.size(); ++w) words[w] = format::GetLe32(value, 1 + 4 * w);
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
  std::string text = (value[0] & kNegative) != 0 ? "-" : "";
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

}  // namespace

bool IsWholeNumberType(uint8_t type) {
  return type == kByteColumn || type == kIntegerColumn || type == kLongColumn;
}

std::optional<int32_t> IntegerValue(const format::ColumnDefinition& column,
                                    const format::FieldPlace& field,
                                    std::span<const uint8_t> page) {
  if (!field.present || field.is_null || !IsWholeNumberType(column.type)) return std::nullopt;
  if (field.size < FixedWidthOfType(column.type)) return std::nullopt;
  const auto bytes = page.subspan(field.start, field.size);
  switch (column.type) {
    case kByteColumn:
      return bytes[0];
    case kIntegerColumn:
      return static_cast<int16_t>(format::GetLe16(bytes, 0));
    default:
      return static_cast<int32_t>(format::GetLe32(bytes, 0));
  }
}

std::string JetDateText(double date) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (date >= 0.0 && date <= kLastReadableDate) {
    long days = static_cast<long>(date);
    const long time = static_cast<long>((date - static_cast<double>(days)) * 86400.0 + 0.5);
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

std::string CurrencyText(int64_t ten_thousandths) {
  const bool negative = ten_thousandths < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(ten_thousandths)
                                      : static_cast<uint64_t>(ten_thousandths);
  return Printed("%s%" PRIu64 ".%04" PRIu64, negative ? "-" : "", magnitude / 10000,
                 magnitude % 10000);
}

Value ValueOfField(format::PageFile& file, const format::ColumnDefinition& column,
                   const format::FieldPlace& field, std::span<const uint8_t> page) {
  // A Yes/No column keeps its value in the null mask: set means Yes.
  if (column.type == kBoolColumn) return Value::Boolean(field.present && !field.is_null);
  if (!field.present || field.is_null) return Value();
  if (IsWholeNumberType(column.type)) {
    const auto number = IntegerValue(column, field, page);
    return number ? Value::Long(*number) : Value();
  }
  const auto bytes = page.subspan(field.start, field.size);
  if (field.size < FixedWidthOfType(column.type)) return Value::Text("");
  switch (column.type) {
    case kTextColumn:
      return Value::Text(format::DecodeText(file.header(), bytes));
    case kMemoColumn:
      return Value::Text(format::DecodeText(file.header(), format::ReadLongValue(file, bytes)));
    case kSingleColumn:
      return Value::Text(Printed("%.8g", static_cast<double>(Load<float>(bytes))));
    case kDoubleColumn:
      return Value::Text(Printed("%.16g", Load<double>(bytes)));
    case kDateTimeColumn:
      return Value::Text(JetDateText(Load<double>(bytes)));
    case kCurrencyColumn:
      return Value::Text(CurrencyText(Load<int64_t>(bytes)));
    case kDecimalColumn:
      return Value::Text(DecimalText(bytes, column.scale));
    case kReplicationIdColumn:
      return Value::Text(ReplicationIdText(bytes));
    case kBinaryColumn:
      // Bytes as they stand, up to the first zero byte.
      return Value::Text(std::string(bytes.begin(), std::find(bytes.begin(), bytes.end(), 0)));
    case kOleColumn:
    case kComplexColumn:
      return Value();  // objects and attachments have no text
    default:
      return Value::Text("");
  }
}

}  // namespace vorelka::jet
