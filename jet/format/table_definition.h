// A table definition: a header, then per physical index a row count, then the
// column entries, the column names, the physical index entries, the logical
// index entries and the index names, ending in FF FF. A definition too long
// for its page continues on further definition pages, each naming the next
// at kNextPageOffset; the bytes of a continuation start at
// kContinuationStart, and readers lay them end to end.
//
//   Header                           Jet 3        Jet 4
//   ------------------------------   ----------   ----------
//   page type, 0x01, free space      0  (4)       0  (4)      Jet 3: "VC"
//   next definition page             4  (4)       4  (4)
//   length of the definition         8  (4)       8  (4)
//   [Jet 4: table magic (4)]                      12 (4)
//   row count                        12 (4)       16 (4)
//   next autonumber                  16 (4)       20 (4)
//   [Jet 4: autonumber flag(1), 15 reserved]
//   table type (0x4E user, 0x53 system)  20 (1)  40 (1)
//   highest column number            21 (2)       41 (2)
//   variable columns                 23 (2)       43 (2)
//   columns                          25 (2)       45 (2)
//   logical indexes                  27 (4)       47 (4)
//   physical indexes                 31 (4)       51 (4)
//   usage map of the table's pages   35 (4)       55 (4)      row pointer
//   usage map of its free space      39 (4)       59 (4)      row pointer
//   header size                      43           63
//   per physical index: 0(4) rows(4) [Jet 4: 0(4)]   8  /  12 bytes
//
//   Column entry                     Jet 3        Jet 4
//   ------------------------------   ----------   ----------
//   type                             0  (1)       0  (1)
//   [Jet 4: table magic (4)]
//   column number                    1  (2)       5  (2)
//   index among variable columns     3  (2)       7  (2)
//   column number again              5  (2)       9  (2)
//   Jet 3: user marker(2) sort order(2) code page(2)
//   Jet 4: sort order(2) 0(1) sort version(1)
//   flags                            13 (1)       15 (1)
//   Jet 4: text flags(1) 0(4)
//   offset among fixed columns       14 (2)       21 (2)
//   size                             16 (2)       23 (2)
//   entry size                       18           25
//   A name is its length (1 byte in Jet 3, 2 in Jet 4) and its bytes.
//
//   Physical index entry             Jet 3        Jet 4
//   ------------------------------   ----------   ----------
//   [Jet 4: index magic (4)]
//   10 key-column slots: number(2) order flags(1)
//   usage map (4), first page (4)
//   [Jet 4: 0(4)]
//   flags (1)                        [Jet 4: then 0(5)]
//   entry size                       39           52
//
//   Logical index entry              Jet 3        Jet 4
//   ------------------------------   ----------   ----------
//   [Jet 4: table magic (4)]
//   index number                     0  (4)       4  (4)
//   its physical index               4  (4)       8  (4)
//   related table type(1) related index(4) related table(4)
//   cascade update(1) cascade delete(1)
//   index type                       19 (1)       23 (1)
//   [Jet 4: 0(4)]
//   entry size                       20           28
#pragma once

#include <cstddef>
#include <cstdint>

namespace vorelka::jet::format {

struct TableDefinitionLayout {
  // Header.
  size_t row_count_offset;
  size_t var_column_count_offset;
  size_t column_count_offset;
  size_t index_count_offset;
  size_t real_index_count_offset;
  size_t owned_map_offset;
  size_t free_map_offset;
  size_t header_size;            // up to the first per-index row count
  size_t real_index_count_size;  // per physical index, before the columns
  // Column entry.
  size_t column_size;
  size_t column_number_offset;
  size_t column_var_index_offset;
  size_t column_flags_offset;
  size_t column_fixed_offset_offset;
  size_t column_length_offset;
  size_t column_precision_offset;  // Decimal columns
  size_t column_scale_offset;
  size_t column_text_flags_offset;  // Jet 4 only; 0 in Jet 3
  size_t name_length_size;  // 1 or 2 bytes before each name
  // Physical index entry: unknown bytes around the slots and the flags.
  size_t real_index_size;
  size_t real_index_skip_before;
  size_t real_index_skip_before_flags;
  size_t real_index_skip_after_flags;
  // Logical index entry.
  size_t logical_index_size;
  size_t logical_index_number_offset;
  size_t logical_index_data_number_offset;
  size_t logical_index_type_offset;
};

inline constexpr TableDefinitionLayout kJet3TableDefinition{
    .row_count_offset = 12,
    .var_column_count_offset = 23,
    .column_count_offset = 25,
    .index_count_offset = 27,
    .real_index_count_offset = 31,
    .owned_map_offset = 35,
    .free_map_offset = 39,
    .header_size = 43,
    .real_index_count_size = 8,
    .column_size = 18,
    .column_number_offset = 1,
    .column_var_index_offset = 3,
    .column_flags_offset = 13,
    .column_fixed_offset_offset = 14,
    .column_length_offset = 16,
    .column_precision_offset = 11,
    .column_scale_offset = 12,
    .column_text_flags_offset = 0,
    .name_length_size = 1,
    .real_index_size = 39,
    .real_index_skip_before = 0,
    .real_index_skip_before_flags = 0,
    .real_index_skip_after_flags = 0,
    .logical_index_size = 20,
    .logical_index_number_offset = 0,
    .logical_index_data_number_offset = 4,
    .logical_index_type_offset = 19,
};

inline constexpr TableDefinitionLayout kJet4TableDefinition{
    .row_count_offset = 16,
    .var_column_count_offset = 43,
    .column_count_offset = 45,
    .index_count_offset = 47,
    .real_index_count_offset = 51,
    .owned_map_offset = 55,
    .free_map_offset = 59,
    .header_size = 63,
    .real_index_count_size = 12,
    .column_size = 25,
    .column_number_offset = 5,
    .column_var_index_offset = 7,
    .column_flags_offset = 15,
    .column_fixed_offset_offset = 21,
    .column_length_offset = 23,
    .column_precision_offset = 11,
    .column_scale_offset = 12,
    .column_text_flags_offset = 16,
    .name_length_size = 2,
    .real_index_size = 52,
    .real_index_skip_before = 4,
    .real_index_skip_before_flags = 4,
    .real_index_skip_after_flags = 5,
    .logical_index_size = 28,
    .logical_index_number_offset = 4,
    .logical_index_data_number_offset = 8,
    .logical_index_type_offset = 23,
};

namespace tdef {

// Page header and chain.
inline constexpr size_t kNextPageOffset = 4;
inline constexpr size_t kLengthOffset = 8;
inline constexpr size_t kContinuationStart = 8;
inline constexpr uint8_t kJet3DefinitionId[2] = {'V', 'C'};
inline constexpr uint8_t kJet4AutonumberFlag = 0x01;
inline constexpr size_t kJet4HeaderReservedSize = 15;
// A table definition rarely spans more than two pages; a longer chain is
// taken for a damaged one. Counts beyond these are damage, too.
inline constexpr uint32_t kMostDefinitionPages = 64;
inline constexpr uint32_t kMostIndexes = 1000;
inline constexpr uint16_t kEndOfDefinition = 0xFFFF;
// A constant Access writes into table and column definitions of Jet 4 files
// ("table magic") and at the head of each physical index entry.
inline constexpr uint32_t kJet4TableMagic = 0x0659;
inline constexpr uint32_t kJet4IndexMagic = 0x0783;

// Table types.
inline constexpr uint8_t kUserTableType = 0x4E;
inline constexpr uint8_t kSystemTableType = 0x53;

// Column types.
inline constexpr uint8_t kBoolColumn = 0x01;
inline constexpr uint8_t kByteColumn = 0x02;
inline constexpr uint8_t kIntegerColumn = 0x03;   // 16-bit
inline constexpr uint8_t kLongColumn = 0x04;      // 32-bit
inline constexpr uint8_t kDateTimeColumn = 0x08;  // a Jet date
inline constexpr uint8_t kBinaryColumn = 0x09;    // up to 255 bytes
inline constexpr uint8_t kTextColumn = 0x0A;      // up to 255 characters
inline constexpr uint8_t kOleColumn = 0x0B;       // long binary
inline constexpr uint8_t kMemoColumn = 0x0C;      // long text
inline constexpr uint8_t kCurrencyColumn = 0x05;
inline constexpr uint8_t kSingleColumn = 0x06;
inline constexpr uint8_t kDoubleColumn = 0x07;
inline constexpr uint8_t kReplicationIdColumn = 0x0F;
inline constexpr uint8_t kDecimalColumn = 0x10;
inline constexpr uint8_t kComplexColumn = 0x12;  // attachment, multi-value
inline constexpr uint16_t kIntegerSize = 2;
inline constexpr uint16_t kLongSize = 4;
inline constexpr uint16_t kDateTimeSize = 8;
inline constexpr uint16_t kBinaryMaxSize = 255;

// The bytes a value of `type` takes, whatever the row says its length is;
// 0 for the types stored by their length.
constexpr uint32_t FixedWidthOfType(uint8_t type) {
  switch (type) {
    case kByteColumn:
      return 1;
    case kIntegerColumn:
      return kIntegerSize;
    case kLongColumn:
    case kSingleColumn:
    case kComplexColumn:
      return kLongSize;
    case kCurrencyColumn:
    case kDoubleColumn:
    case kDateTimeColumn:
      return 8;
    case kReplicationIdColumn:
      return 16;
    case kDecimalColumn:
      return 17;
    default:
      return 0;
  }
}

// Column flags.
inline constexpr uint8_t kFixedColumnFlag = 0x01;  // the value lies in the row's fixed part
inline constexpr uint8_t kUpdatableColumnFlag = 0x02;
inline constexpr uint8_t kSystemColumnFlag = 0x10;     // as on Access's own catalog columns
// Set by Jet on the columns that hold SIDs (MSysObjects.Owner, MSysACEs.SID);
// its meaning is otherwise unknown.
inline constexpr uint8_t kSecurityIdColumnFlag = 0x20;
inline constexpr uint8_t kCompressedTextFlag = 0x01;   // Jet 4 text flags
inline constexpr uint16_t kJet3ColumnMarker = 1;  // Access 97 writes 1 on every column

// Physical index entries.
inline constexpr size_t kIndexColumnSlots = 10;
inline constexpr size_t kIndexColumnSlotSize = 3;  // column number(2) + order flags(1)
inline constexpr uint16_t kUnusedColumnSlot = 0xFFFF;
inline constexpr uint8_t kAscendingColumnFlag = 0x01;
inline constexpr size_t kIndexUsageMapSize = 4;
inline constexpr size_t kIndexRootPageSize = 4;
inline constexpr uint8_t kUniqueIndexFlag = 0x01;
inline constexpr uint8_t kIgnoreNullsIndexFlag = 0x02;
inline constexpr uint8_t kRequiredIndexFlag = 0x08;
inline constexpr uint8_t kJet4IndexFlag = 0x80;  // set by Access 2000 on every index

// Logical index entries.
inline constexpr uint8_t kPlainIndexType = 0x00;
inline constexpr uint8_t kPrimaryKeyIndexType = 0x01;
inline constexpr uint8_t kForeignKeyIndexType = 0x02;  // refers to another table's index
inline constexpr uint8_t kAccessCascadeBytes = 0x04;  // what Access writes when no relation
inline constexpr uint32_t kNoRelatedIndex = 0xFFFFFFFF;

}  // namespace tdef
}  // namespace vorelka::jet::format
