// The system catalog, MSysObjects, defined on page 2: one row per object.
// An object's Id names its definition page in the low three bytes; the Type
// column's low seven bits are its kind; objects hang from containers by
// ParentId. Its LvProp column holds the object's property block.
#pragma once

#include <cstdint>
#include <string_view>

namespace vorelka::jet::format::catalog {

inline constexpr std::string_view kCatalogName = "MSysObjects";
inline constexpr std::string_view kPropertiesColumn = "lvprop";  // folded to lower case

inline constexpr uint32_t kRootContainerId = 0x0F000000;
inline constexpr uint32_t kTablesContainerId = 0x0F000001;
inline constexpr uint32_t kDatabasesContainerId = 0x0F000002;
inline constexpr uint32_t kRelationshipsContainerId = 0x0F000003;
inline constexpr uint32_t kDatabaseObjectId = 0x10000000;
inline constexpr uint32_t kSystemObjectFlag = 0x80000000;  // Jet's own objects
inline constexpr uint32_t kUserObjectFlags = 0;
inline constexpr uint32_t kObjectPageMask = 0x00FFFFFF;

inline constexpr uint16_t kTableType = 1;
inline constexpr uint16_t kDatabaseType = 2;
inline constexpr uint16_t kContainerType = 3;
inline constexpr int32_t kObjectKindMask = 0x7F;

}  // namespace vorelka::jet::format::catalog
