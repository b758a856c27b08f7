// A file that exists only in memory (memfd), reachable by a path, for
// entry points that hand their input to code that opens files by name.
// One per process, rewritten for each input: nothing lands on disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vorelka::fuzz {

// Replaces the file's bytes with [data, data + size) and returns its path.
const std::string& MemoryFileWith(const uint8_t* data, size_t size);

// The input cut down to whole pages of the format its header names, when it
// is longer than one page: most mutations that insert or erase bytes would
// otherwise only ever meet the reader's first check, the file's length.
size_t WholePages(const uint8_t* data, size_t size);

}  // namespace vorelka::fuzz
