// Archives whose headers lie about what they hold: the unpacking stops at
// what was declared or at the limits, whatever the data says.
#include <gtest/gtest.h>
#include <zstd.h>

#include <string>

#include "tests/import/anki_package_maker.h"
#include "tools/import/package_member.h"

namespace vorelka::tools {
namespace {

// Sets the unpacked size a zip declares for its one member, in the local
// header and in the central directory alike, so that the two agree.
void DeclareUnpackedSize(std::string& zip, uint32_t size) {
  const auto put = [&](size_t at) {
    for (size_t i = 0; i < 4; ++i) zip[at + i] = static_cast<char>(size >> (8 * i));
  };
  constexpr size_t kLocalUnpackedSize = 22;    // in "PK\3\4"
  constexpr size_t kCentralUnpackedSize = 24;  // in "PK\1\2"
  put(zip.find(std::string("PK\x03\x04", 4)) + kLocalUnpackedSize);
  put(zip.find(std::string("PK\x01\x02", 4)) + kCentralUnpackedSize);
}

TEST(LyingArchive, AZipMemberThatUnpacksToMoreThanItDeclaresIsRefused) {
  std::string zip = testing::MakeZip({{"collection.anki2", std::string(100000, 'x'), true}});
  DeclareUnpackedSize(zip, 1000);
  ZipArchive archive;
  ASSERT_EQ(archive.Open(zip), std::nullopt);
  std::string out;
  const auto refused = archive.Read("collection.anki2", UnpackLimits{}, &out);
  ASSERT_TRUE(refused.has_value()) << "a member holding 100,000 bytes read as 1,000";
  EXPECT_LE(out.size(), 1000u);
}

TEST(LyingArchive, AZstdFrameWithNoDeclaredSizeStopsAtTheLimit) {
  // Streamed without a pledged size: the frame does not say what it holds.
  const std::string zeros(4 << 20, '\0');
  std::string packed(ZSTD_compressBound(zeros.size()), '\0');
  ZSTD_CCtx* context = ZSTD_createCCtx();
  ZSTD_CCtx_setParameter(context, ZSTD_c_contentSizeFlag, 0);
  const size_t size = ZSTD_compress2(context, packed.data(), packed.size(), zeros.data(), zeros.size());
  ZSTD_freeCCtx(context);
  ASSERT_FALSE(ZSTD_isError(size));
  packed.resize(size);
  ASSERT_EQ(ZSTD_getFrameContentSize(packed.data(), packed.size()), ZSTD_CONTENTSIZE_UNKNOWN);

  std::string out;
  const auto refused = UnpackZstd(packed, UnpackLimits{.max_bytes = 1 << 20, .max_ratio = 1000000}, &out);
  ASSERT_TRUE(refused.has_value()) << "4 MiB unpacked under a 1 MiB limit";
  EXPECT_NE(refused->find("more than"), std::string::npos) << *refused;
  const auto within = UnpackZstd(packed, UnpackLimits{.max_bytes = 8 << 20, .max_ratio = 1000000}, &out);
  EXPECT_EQ(within, std::nullopt);
  EXPECT_EQ(out.size(), zeros.size());
}

}  // namespace
}  // namespace vorelka::tools
