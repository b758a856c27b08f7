#include "jet/write/access_rights.h"

#include <algorithm>

#include "jet/format/catalog_row.h"
#include "jet/format/page.h"
#include "jet/write/row_encoder.h"
#include "jet/write/system_tables.h"

namespace vorelka::jet::writer {

using namespace format;    // NOLINT(google-build-using-namespace): the format this writes
using namespace catalog;   // NOLINT(google-build-using-namespace)
using namespace security;  // NOLINT(google-build-using-namespace)

std::vector<AccessControlEntry> AccessControlEntries(uint32_t table_id) {
  std::vector<AccessControlEntry> entries = {
      {kTablesContainerId, kCreatorSid, kContainerCreatorAccess, true},
      {kTablesContainerId, kAdminSid, kTableAccess, true},
      {kTablesContainerId, kUsersSid, kTableAccess, true},
      {kDatabasesContainerId, kAdminSid, kSystemTableAdminAccess, false},
      {kRelationshipsContainerId, kCreatorSid, kContainerCreatorAccess, true},
      {kRelationshipsContainerId, kAdminSid, kRelationshipsAdminAccess, false},
      {kRelationshipsContainerId, kUsersSid, kFullAccess, true},
      {kDatabaseObjectId, kAdminSid, kDatabaseAdminAccess, false},
      {kDatabaseObjectId, kUsersSid, kDatabaseUsersAccess, false},
      {kCatalogDefinitionPage, kAdminSid, kSystemTableAdminAccess, false},
      {kCatalogDefinitionPage, kUsersSid, kSystemTableUsersAccess, false},
      {kAccessControlDefinitionPage, kAdminSid, kSystemTableAdminAccess, false},
      {kQueriesDefinitionPage, kAdminSid, kSystemTableAdminAccess, false},
      {kQueriesDefinitionPage, kUsersSid, kSystemTableUsersAccess, false},
      {kRelationshipsDefinitionPage, kAdminSid, kRelationshipsTableAdminAccess, false},
      {kRelationshipsDefinitionPage, kUsersSid, kSystemTableUsersAccess, false},
      {table_id, kAdminSid, kTableAccess, false},
      {table_id, kUsersSid, kTableAccess, false},
  };
  std::stable_sort(entries.begin(), entries.end(),
                   [](const AccessControlEntry& a, const AccessControlEntry& b) {
                     return static_cast<int32_t>(a.object_id) < static_cast<int32_t>(b.object_id);
                   });
  return entries;
}

std::vector<std::vector<uint8_t>> BuildAccessControlRows(
    const Format& format, const std::vector<AccessControlEntry>& entries) {
  const TableLayout layout = AccessControlLayout(format);
  const bool jet4 = format.id == JetFormat::kJet4;
  std::vector<std::vector<uint8_t>> rows;
  for (const AccessControlEntry& entry : entries) {
    uint8_t object[4];
    uint8_t mask[4];
    PutLe32(object, entry.object_id);
    PutLe32(mask, entry.access_mask);
    const Sid sid = StoredSid(jet4, entry.sid);
    Cell cells[kAceColumns];
    cells[kAceObjectId] = Cell{object, sizeof object, false};
    cells[kAceSid] = Cell{sid.data(), sid.size(), false};
    cells[kAceAcm] = Cell{mask, sizeof mask, false};
    cells[kAceInheritable].null = !entry.inheritable;
    std::vector<uint8_t> row;
    std::string problem;
    EncodeRow(format, layout, cells, &row, &problem);  // small rows: always fit
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace vorelka::jet::writer
