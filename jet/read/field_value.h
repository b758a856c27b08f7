// The value of one column of a decoded row, as the engine hands it out:
// Yes/No as a Boolean (its null-mask bit), whole numbers as a Long, Text
// and Memo as UTF-8, and every other type as the text it reads as (numbers
// in C notation, currency to four places, dates as month/day/year and
// time, replication ids in braces). OLE objects and attachments read as
// Null.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "jet/format/decode_row.h"
#include "jet/format/page_file.h"
#include "jet/read/dao.h"

namespace vorelka::jet {

// Byte, Integer and Long.
bool IsWholeNumberType(uint8_t type);

// The number in a whole-number column's value; nothing when it is Null, of
// another type, or shorter than its type.
std::optional<int32_t> IntegerValue(const format::ColumnDefinition& column,
                                    const format::FieldPlace& field, std::span<const uint8_t> page);

Value ValueOfField(format::PageFile& file, const format::ColumnDefinition& column,
                   const format::FieldPlace& field, std::span<const uint8_t> page);

}  // namespace vorelka::jet
