// Security: who owns each object (MSysObjects.Owner) and who may do what
// with it (the rows of MSysACEs). A user or group is named by a security id
// (SID); an access-control entry gives one SID an access mask (ACM) on one
// object, and says whether objects created under it (a container) inherit it.
//
// The built-in SIDs are the same two bytes in every Jet 3 file, whatever the
// workgroup: the engine itself (owner of the containers and system tables),
// the Admin user (owner of the database and of the user's tables), the Users
// group and the creator of an object. The Admins group has a long SID that
// the workgroup derives; rights given through it hold in one workgroup only.
//
// Jet 4 stores every SID exclusive-ored, byte by byte, with a two-byte mask
// that is fixed for the file. How Jet derives its mask is not known: it is
// not any window of the header, plain or unmasked, nor its date or password
// mask. Files Access 2000 writes from its own empty template, and every file
// Jackcess writes, use kJet4SidMask, and Jackcess takes the masked Admin SID
// as its default owner; so do we.
#pragma once

#include <array>
#include <cstdint>

namespace vorelka::jet::format::security {

using Sid = std::array<uint8_t, 2>;

inline constexpr Sid kUsersSid = {0x02, 0x01};
inline constexpr Sid kEngineSid = {0x02, 0x03};
inline constexpr Sid kCreatorSid = {0x02, 0x04};
inline constexpr Sid kAdminSid = {0x03, 0x01};

inline constexpr Sid kJet4SidMask = {0xA5, 0x32};

// Access masks Jet gives the built-in SIDs on the objects of a new database.
inline constexpr uint32_t kFullAccess = 0xFFFFF;
inline constexpr uint32_t kContainerCreatorAccess = 0xF00FE;
inline constexpr uint32_t kTableAccess = 0xFFEFF;  // full access but the right 0x100
inline constexpr uint32_t kSystemTableAdminAccess = 0x60000;
inline constexpr uint32_t kRelationshipsTableAdminAccess = 0xE0000;
inline constexpr uint32_t kRelationshipsAdminAccess = 0x60001;
inline constexpr uint32_t kDatabaseAdminAccess = 0x6000E;
inline constexpr uint32_t kDatabaseUsersAccess = 0x0000E;
inline constexpr uint32_t kSystemTableUsersAccess = 0x00014;

// A SID as the file stores it.
inline Sid StoredSid(bool jet4, const Sid& sid) {
  if (!jet4) return sid;
  return {static_cast<uint8_t>(sid[0] ^ kJet4SidMask[0]),
          static_cast<uint8_t>(sid[1] ^ kJet4SidMask[1])};
}

}  // namespace vorelka::jet::format::security
