// The two file formats the engine reads and writes.
#pragma once

namespace vorelka::jet {

enum class JetFormat {
  kJet3,  // Access 97: 2 KB pages, single-byte text in code page 1251
  kJet4,  // Access 2000: 4 KB pages, UCS-2 text
};

}  // namespace vorelka::jet
