// What every page of a Jet file starts with, and the pages whose place is
// fixed.
//
//   Offset  Size  Page
//   ------  ----  -----------------------------------------------------------
//      0      1   page type (below)
//      1      1   always 0x01 (0x00 on the header page, whose bytes 0-3 are
//                 the file magic 00 01 00 00)
//      2      2   free space on the page (Jet 3 definition pages: "VC")
//      4      4   data and index pages: the definition page of their table;
//                 definition pages: the next page of the definition
#pragma once

#include <cstddef>
#include <cstdint>

namespace vorelka::jet::format {

inline constexpr uint8_t kHeaderPageType = 0x00;
inline constexpr uint8_t kDataPageType = 0x01;
inline constexpr uint8_t kTableDefinitionPageType = 0x02;
inline constexpr uint8_t kIndexNodePageType = 0x03;
inline constexpr uint8_t kIndexLeafPageType = 0x04;
inline constexpr uint8_t kUsageMapPageType = 0x05;
inline constexpr uint8_t kPageTypeSecondByte = 0x01;

inline constexpr size_t kPageTypeOffset = 0;
inline constexpr size_t kPageTypeSecondByteOffset = 1;
inline constexpr size_t kFreeSpaceOffset = 2;
inline constexpr size_t kPageOwnerOffset = 4;

// The system catalog (MSysObjects) is defined on page 2, so a database has
// pages 0 to 2 at least.
inline constexpr uint32_t kCatalogDefinitionPage = 2;
inline constexpr uint64_t kFewestPages = 3;

// The pages of the files our writer builds. The system tables' definitions
// lie on pages 2 to 5, as in every file Jet makes, and a table's Id in the
// catalog is its definition page. The rest is our own plan.
inline constexpr uint32_t kHeaderPage = 0;
inline constexpr uint32_t kGlobalUsageMapPage = 1;
inline constexpr uint32_t kAccessControlDefinitionPage = 3;  // MSysACEs
inline constexpr uint32_t kQueriesDefinitionPage = 4;        // MSysQueries
inline constexpr uint32_t kRelationshipsDefinitionPage = 5;  // MSysRelationships
inline constexpr uint32_t kTableDefinitionPage = 6;          // the user's table
inline constexpr uint32_t kUsageMapRowsPage = 7;
inline constexpr uint32_t kCatalogDataPage = 8;
inline constexpr uint32_t kAccessControlDataPage = 9;
inline constexpr uint32_t kFirstTableDataPage = 10;

}  // namespace vorelka::jet::format
