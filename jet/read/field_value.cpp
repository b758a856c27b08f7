#include "jet/read/field_value.h"

#include <algorithm>

#include "jet/format/bytes.h"
#include "jet/format/decode_long_value.h"
#include "jet/format/decode_text.h"
#include "jet/format/decode_value.h"

namespace vorelka::jet {

using namespace format::tdef;  // NOLINT(google-build-using-namespace): the column types

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
      return Value::Text(format::value::SingleText(bytes));
    case kDoubleColumn:
      return Value::Text(format::value::DoubleText(bytes));
    case kDateTimeColumn:
      return Value::Text(format::value::DateText(bytes));
    case kCurrencyColumn:
      return Value::Text(format::value::CurrencyText(bytes));
    case kDecimalColumn:
      return Value::Text(format::value::DecimalText(bytes, column.scale));
    case kReplicationIdColumn:
      return Value::Text(format::value::ReplicationIdText(bytes));
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
