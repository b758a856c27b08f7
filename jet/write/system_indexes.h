// The index entries of the system tables' indexes (system_tables.h): keys as
// Jet builds them (index_page.h, text_index.h) followed by the row pointer
// (page(3) big-endian, row(1)), in index order: by key, then by row.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/write/access_rights.h"
#include "jet/write/catalog.h"

namespace vorelka::jet::writer {

using format::Format;

// The key of a catalog name in the ParentIdName index; false if the name
// has a character outside text_index.h's set.
bool CatalogNameKey(const Format& format, const std::string& name, std::string* key);

// Entries per index of MSysObjects (ParentIdName, Id) for rows stored in
// order on catalog_page; and of MSysACEs (ObjectId) on ace_page.
std::vector<std::vector<std::string>> CatalogIndexEntries(
    const Format& format, const std::vector<CatalogObject>& objects, uint32_t catalog_page);
std::vector<std::vector<std::string>> AccessControlIndexEntries(
    const std::vector<AccessControlEntry>& entries, uint32_t ace_page);

}  // namespace vorelka::jet::writer
