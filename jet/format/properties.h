// A property block (the catalog's LvProp values). It starts with a 4-byte
// signature ("KKD" in Jet 3, "MR2" later, each ended by a zero byte), then
// records: a 4-byte length (counting its own 6-byte head), a 2-byte kind,
// the record's data.
//
// A values record: 2-byte length, 2 bytes, 2-byte name length, the name;
// then entries of a 2-byte length, a byte, the type, a 2-byte index into
// the names, a 2-byte value size and the value.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vorelka::jet::format::properties {

inline constexpr size_t kSignatureSize = 4;
inline constexpr uint8_t kJet3Signature[kSignatureSize] = {'K', 'K', 'D', 0};
inline constexpr uint8_t kJet4Signature[kSignatureSize] = {'M', 'R', '2', 0};
inline constexpr size_t kRecordHeadSize = 6;
inline constexpr uint32_t kNamesRecord = 0x80;
inline constexpr uint32_t kLastValuesRecord = 0x02;  // 0x00 to 0x02 hold values
inline constexpr size_t kValuesHeadSize = 6;
inline constexpr size_t kValuesNameLengthOffset = 4;
inline constexpr size_t kEntryHeadSize = 8;
inline constexpr size_t kEntryTypeOffset = 3;
inline constexpr size_t kEntryNameOffset = 4;
inline constexpr size_t kEntrySizeOffset = 6;
inline constexpr uint32_t kFirstValuesRecord = 0x00;
// A property's type is a column type (tdef.h); text is UCS-2 uncompressed in
// Jet 4 and one byte per character in Jet 3.

// The database's own properties, in the LvProp of MSysDb. AccessVersion
// names the Access that made the file, and readers take the file's version
// from it: "07.53" is Access 97 (Jet 3), "08.50" Access 2000 and "09.50"
// Access 2002-2003 (both Jet 4). Build is Access's build number: 0 in
// Access 97's own sample database, 6620 in Access 2000's empty database.
inline constexpr char kAccessVersionProperty[] = "AccessVersion";
inline constexpr char kBuildProperty[] = "Build";
inline constexpr char kJet3AccessVersion[] = "07.53";
inline constexpr char kJet4AccessVersion[] = "08.50";
inline constexpr int32_t kJet3AccessBuild = 0;
inline constexpr int32_t kJet4AccessBuild = 6620;

}  // namespace vorelka::jet::format::properties
