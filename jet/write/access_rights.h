// The rows of MSysACEs: the rights Jet gives the built-in users and groups
// on each object of a new database (security.h names them):
//
//   Object             Creator         Admin                  Users
//   Tables             0xF00FE, inh.   0xFFEFF, inherited     0xFFEFF, inh.
//   Databases                          0x60000
//   Relationships      0xF00FE, inh.   0x60001                0xFFFFF, inh.
//   MSysDb                             0x6000E                0x0000E
//   MSysObjects                        0x60000                0x00014
//   MSysACEs                           0x60000
//   MSysQueries                        0x60000                0x00014
//   MSysRelationships                  0xE0000                0x00014
//   the user's table                   0xFFEFF                0xFFEFF
//
// Jet also gives the Admins group rights on most objects; its SID belongs to
// one workgroup, so those rows are left out: Admin and Users, the same in
// every workgroup, keep the rights a user of the file needs. Engines that
// create a table copy the SIDs found on the Tables container.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/format/security.h"
#include "jet/write/table_layout.h"

namespace vorelka::jet::writer {

using format::Format;

struct AccessControlEntry {
  uint32_t object_id;
  format::security::Sid sid;
  uint32_t access_mask;
  bool inheritable;
};

// The entries above, sorted by object id, for a user table whose Id is
// table_id.
std::vector<AccessControlEntry> AccessControlEntries(uint32_t table_id);

std::vector<std::vector<uint8_t>> BuildAccessControlRows(
    const Format& format, const std::vector<AccessControlEntry>& entries);

}  // namespace vorelka::jet::writer
