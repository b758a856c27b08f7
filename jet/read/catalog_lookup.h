// Finding a table by name in the system catalog (MSysObjects). Read here
// rather than by libmdb's mdb_read_catalog, which also parses every
// object's properties and complains on standard error about any page it
// cannot reach; this reads the four columns it needs, with every page
// checked against the file's length.
#pragma once

#include <cstdint>
#include <string>

#include "jet/read/libmdb.h"

namespace vorelka::jet {

// A catalog entry for the user table `name` (compared as Jet compares
// names), ready for mdb_read_table. Raises kErrTableNotFound when there is
// none, kErrUnrecognizedFormat when the catalog cannot be read.
MdbCatalogEntry FindTableEntry(MdbHandle* mdb, uint64_t page_count, const std::string& path,
                               const std::string& name);

}  // namespace vorelka::jet
