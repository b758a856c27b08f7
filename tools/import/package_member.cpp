#include "tools/import/package_member.h"

#include <zip.h>
#include <zstd.h>

#include <algorithm>
#include <memory>

namespace vorelka::tools {
namespace {

std::string Size(uint64_t bytes) {
  return std::to_string(bytes) + " bytes";
}

std::optional<std::string> CheckSizes(const std::string& what, uint64_t unpacked, uint64_t packed,
                                      const UnpackLimits& limits) {
  if (unpacked > limits.max_bytes) {
    return what + " unpacks to " + Size(unpacked) + "; more than " + Size(limits.max_bytes) +
           " is refused";
  }
  if (unpacked > kRatioCheckedFrom && unpacked / std::max<uint64_t>(packed, 1) > limits.max_ratio) {
    return what + " unpacks " + Size(std::max<uint64_t>(packed, 1)) + " into " + Size(unpacked) +
           ", more than " + std::to_string(limits.max_ratio) +
           " times its size; it is refused as a zip bomb";
  }
  return std::nullopt;
}

}  // namespace

bool LooksLikeZip(std::string_view bytes) {
  return bytes.starts_with(std::string_view("PK\x03\x04", 4)) ||
         bytes.starts_with(std::string_view("PK\x05\x06", 4));
}

bool LooksLikeZstd(std::string_view bytes) {
  return bytes.starts_with(std::string_view("\x28\xB5\x2F\xFD", 4));
}

struct ZipArchive::Impl {
  zip_t* archive = nullptr;
};

ZipArchive::ZipArchive() : impl_(new Impl) {}

ZipArchive::~ZipArchive() {
  if (impl_->archive != nullptr) zip_discard(impl_->archive);
  delete impl_;
}

std::optional<std::string> ZipArchive::Open(std::string_view bytes) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  if (source == nullptr) {
    std::string message = zip_error_strerror(&error);
    zip_error_fini(&error);
    return "cannot be read as a zip archive: " + message;
  }
  impl_->archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
  if (impl_->archive == nullptr) {
    zip_source_free(source);
    std::string message = zip_error_strerror(&error);
    zip_error_fini(&error);
    return "is not a sound zip archive: " + message;
  }
  zip_error_fini(&error);
  return std::nullopt;
}

bool ZipArchive::Has(const std::string& name) const {
  return zip_name_locate(impl_->archive, name.c_str(), 0) >= 0;
}

std::vector<std::string> ZipArchive::Names() const {
  std::vector<std::string> names;
  const zip_int64_t count = zip_get_num_entries(impl_->archive, 0);
  for (zip_int64_t i = 0; i < count && names.size() < 20; ++i) {
    if (const char* name = zip_get_name(impl_->archive, static_cast<zip_uint64_t>(i), 0)) {
      names.emplace_back(name);
    }
  }
  return names;
}

std::optional<std::string> ZipArchive::Read(const std::string& name, const UnpackLimits& limits,
                                            std::string* out) const {
  const std::string what = "member " + name;
  const zip_int64_t index = zip_name_locate(impl_->archive, name.c_str(), 0);
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (index < 0 || zip_stat_index(impl_->archive, static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
      (stat.valid & ZIP_STAT_SIZE) == 0 || (stat.valid & ZIP_STAT_COMP_SIZE) == 0) {
    return what + " cannot be found in the archive";
  }
  if (auto refused = CheckSizes(what, stat.size, stat.comp_size, limits)) return refused;
  std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(
      zip_fopen_index(impl_->archive, static_cast<zip_uint64_t>(index), 0), zip_fclose);
  if (!file) {
    return what + " cannot be unpacked: " + zip_strerror(impl_->archive);
  }
  out->assign(stat.size, '\0');
  uint64_t done = 0;
  // One byte past the declared size shows whether the member lies about it.
  char probe = 0;
  while (true) {
    char* target = done < stat.size ? out->data() + done : &probe;
    const zip_uint64_t want = done < stat.size ? stat.size - done : 1;
    const zip_int64_t got = zip_fread(file.get(), target, want);
    if (got < 0) return what + " cannot be unpacked: " + zip_file_strerror(file.get());
    if (got == 0) break;
    if (done >= stat.size) return what + " holds more bytes than its declared size";
    done += static_cast<uint64_t>(got);
  }
  if (done != stat.size) return what + " holds fewer bytes than its declared size";
  return std::nullopt;
}

std::optional<std::string> UnpackZstd(std::string_view packed, const UnpackLimits& limits,
                                      std::string* out) {
  const std::string what = "its zstd-packed collection";
  const unsigned long long declared = ZSTD_getFrameContentSize(packed.data(), packed.size());
  if (declared == ZSTD_CONTENTSIZE_ERROR) return what + " is not zstd data";
  if (declared != ZSTD_CONTENTSIZE_UNKNOWN) {
    if (auto refused = CheckSizes(what, declared, packed.size(), limits)) return refused;
  }
  std::unique_ptr<ZSTD_DCtx, size_t (*)(ZSTD_DCtx*)> context(ZSTD_createDCtx(), ZSTD_freeDCtx);
  if (!context) return what + " cannot be unpacked: out of memory";
  // Bounds the window a frame may ask for (the decoder's memory).
  ZSTD_DCtx_setParameter(context.get(), ZSTD_d_windowLogMax, 27);
  out->clear();
  ZSTD_inBuffer input{packed.data(), packed.size(), 0};
  std::string chunk(ZSTD_DStreamOutSize(), '\0');
  size_t last = 1;
  while (input.pos < input.size || last != 0) {
    ZSTD_outBuffer output{chunk.data(), chunk.size(), 0};
    const size_t before = input.pos;
    last = ZSTD_decompressStream(context.get(), &output, &input);
    if (ZSTD_isError(last)) {
      return what + " is damaged: " + ZSTD_getErrorName(last);
    }
    if (auto refused = CheckSizes(what, out->size() + output.pos, packed.size(), limits)) {
      return refused;
    }
    out->append(chunk.data(), output.pos);
    if (output.pos == 0 && input.pos == before) {
      if (input.pos == input.size) return what + " is cut short";
      return what + " is damaged: the decoder makes no progress";
    }
  }
  return std::nullopt;
}

}  // namespace vorelka::tools
