// Reading the values of fixed-size column types as text: Single, Double,
// Currency, Jet dates, Decimal and replication ids. The file and the
// machines we run on are little-endian. Each reads as the engine always read
// it: currency to four places, dates as month/day/year and time of day in
// C notation, replication ids in braces.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace vorelka::jet::format::value {

// A Currency value is a count of ten-thousandths (8 bytes, little-endian).
inline constexpr int64_t kCurrencyScale = 10000;
// A Jet date is a double: days since 1899-12-30, the fraction the time of
// day. Dates outside 1899-12-30 to about the year 2700 have no text.
inline constexpr double kLastReadableDate = 1e6;
// A Decimal: a sign byte, then the magnitude in four little-endian 32-bit
// words, the most significant first; the column's scale places the point.
inline constexpr size_t kDecimalSignOffset = 0;
inline constexpr uint8_t kDecimalNegative = 0x80;
inline constexpr size_t kDecimalWordsOffset = 1;
inline constexpr size_t kDecimalWords = 4;
// A replication id (GUID) is 16 bytes: three little-endian fields of 4, 2
// and 2 bytes, then 8 bytes as they stand.
inline constexpr size_t kReplicationIdSize = 16;

// Single and Double in C notation, to 8 and 16 significant digits.
std::string SingleText(std::span<const uint8_t> value);
std::string DoubleText(std::span<const uint8_t> value);
// "MM/DD/YY HH:MM:SS"; "01/00/00 00:00:00" outside the readable range.
std::string DateText(std::span<const uint8_t> value);
std::string CurrencyText(std::span<const uint8_t> value);
std::string DecimalText(std::span<const uint8_t> value, int scale);
std::string ReplicationIdText(std::span<const uint8_t> id);

}  // namespace vorelka::jet::format::value
