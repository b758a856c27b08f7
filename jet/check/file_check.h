// What the reader checks of a database file before libmdb opens it. libmdb
// searches $MDBPATH for names it cannot find, accepts an empty file and
// prints its complaints on standard error; the user is to see one error
// report instead, so every fault that can be seen from outside is raised
// here with the engine's number (jet/format/jet_errors.h).
#pragma once

#include <cstdint>
#include <string>

namespace vorelka::jet {

struct JetFileFacts {
  std::string absolute_path;  // what libmdb is given: never searched for
  uint8_t version = 0;        // the header's version byte (0 = Jet 3)
  uint32_t page_size = 0;
  uint64_t page_count = 0;
};

// Raises kErrFileNotFound, kErrCannotOpenFile or kErrUnrecognizedFormat,
// naming `path` as the caller wrote it. Reads the header page only.
JetFileFacts CheckJetFile(const std::string& path);

}  // namespace vorelka::jet
