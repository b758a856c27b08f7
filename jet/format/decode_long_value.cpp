#include "jet/format/decode_long_value.h"

#include <set>

#include "jet/format/bytes.h"
#include "jet/format/decode_data_page.h"
#include "jet/format/long_value.h"

namespace vorelka::jet::format {

std::vector<uint8_t> ReadLongValue(PageFile& file, std::span<const uint8_t> field) {
  using namespace long_value;  // NOLINT(google-build-using-namespace)
  if (field.size() < kHeaderSize) return {};
  const uint32_t length = GetLe32(field, 0);
  uint32_t pointer = GetLe32(field, kPointerOffset);
  if (length & kInlineValue) {
    const auto data = field.subspan(kHeaderSize);
    return {data.begin(), data.end()};
  }
  if (length & kSinglePageValue) {
    const LocatedRow row = LocateRow(file, pointer, "a long value");
    return {row.bytes().begin(), row.bytes().end()};
  }
  if ((length & kMemoKindMask) != 0) file.Fail("a long value is of an unknown kind");
  // Rows of a pointer to the next row and a piece of the value.
  std::vector<uint8_t> data;
  data.reserve(length);
  std::set<uint32_t> seen;
  do {
    if (!seen.insert(pointer).second) file.Fail("a long value's chain of pages runs in a cycle");
    const LocatedRow row = LocateRow(file, pointer, "a long value");
    if (row.slot.size < kChainPointerSize ||
        data.size() + row.slot.size - kChainPointerSize > length) {
      file.Fail("a long value's pages do not add up to its length");
    }
    const auto piece = row.bytes().subspan(kChainPointerSize);
    data.insert(data.end(), piece.begin(), piece.end());
    pointer = GetLe32(row.bytes(), 0);
  } while (pointer != 0);
  if (data.size() != length) file.Fail("a long value's pages do not add up to its length");
  return data;
}

}  // namespace vorelka::jet::format
