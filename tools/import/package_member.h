// Reads one member of a zip archive held in memory (an Anki package), with
// libzip, and unpacks zstd data, refusing before unpacking whatever would
// exceed the limits: a declared size over max_bytes, or a packing ratio over
// max_ratio once past kRatioCheckedFrom. The bytes actually produced are
// capped as well, so a member that lies about its size is refused too.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/import/import_limits.h"

namespace vorelka::tools {

struct UnpackLimits {
  uint64_t max_bytes = kMaxUnpackedBytes;
  uint64_t max_ratio = kMaxPackingRatio;
};

// True when the bytes start as a zip archive does.
bool LooksLikeZip(std::string_view bytes);

// True when the bytes start with a zstd frame.
bool LooksLikeZstd(std::string_view bytes);

class ZipArchive {
 public:
  ZipArchive();
  ~ZipArchive();
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  // Opens the archive over `bytes`, which must outlive this object. Returns a
  // message on failure.
  std::optional<std::string> Open(std::string_view bytes);

  bool Has(const std::string& name) const;
  std::vector<std::string> Names() const;

  // Unpacks member `name` into `out`; returns a message on failure.
  std::optional<std::string> Read(const std::string& name, const UnpackLimits& limits,
                                  std::string* out) const;

 private:
  struct Impl;
  Impl* impl_;
};

// Unpacks zstd data (one or more frames) into `out`; returns a message on
// failure.
std::optional<std::string> UnpackZstd(std::string_view packed, const UnpackLimits& limits,
                                      std::string* out);

}  // namespace vorelka::tools
