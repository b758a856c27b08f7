// The word table as list and check read it: the read part's whole-table
// read, under the tools' names.
#pragma once

#include "jet/read/dao.h"

namespace vorelka::tools {

using jet::ReadWordTable;
using jet::StoredWord;
using jet::WordTable;

}  // namespace vorelka::tools
