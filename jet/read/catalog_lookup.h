// Finding a table by name in the system catalog (MSysObjects), whose
// definition is always page 2: the Id, Name and Type of each of its rows.
#pragma once

#include <cstdint>
#include <string>

#include "jet/format/page_file.h"

namespace vorelka::jet {

struct CatalogEntry {
  uint32_t definition_page = 0;
  std::string name;  // as the catalog spells it
};

// The user table `name` (compared as Jet compares names). Raises
// kErrTableNotFound when there is none, kErrUnrecognizedFormat when the
// catalog cannot be read.
CatalogEntry FindTable(format::PageFile& file, const std::string& name);

}  // namespace vorelka::jet
