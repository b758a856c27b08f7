#include "jet/check/long_value.h"

#include <set>

#include "jet/check/data_page.h"
#include "jet/format/long_value.h"

namespace vorelka::jet::guard {
namespace {

using namespace long_value;  // NOLINT(google-build-using-namespace)

// Follows a multi-page memo's chain as mdb_memo_to_string does. libmdb stops
// at a row shorter than a pointer or one that would overrun the length, and
// loops for ever on a cycle of empty rows.
bool CheckMemoChain(PageSource& source, uint32_t length, uint32_t pointer, std::string& why) {
  std::set<uint32_t> seen;
  uint64_t gathered = 0;
  do {
    if (!seen.insert(pointer).second) {
      why = "a memo's chain of pages runs in a cycle";
      return false;
    }
    const LocatedRow row = LocateRow(source, pointer, "a memo value");
    if (row.size < kChainPointerSize || gathered + row.size - kChainPointerSize > length) {
      why = "a memo's pages do not add up to its length";
      return false;
    }
    gathered += row.size - kChainPointerSize;
    pointer = GetLe32(*row.page, row.start);
  } while (pointer != 0);
  if (gathered != length) {
    why = "a memo's pages do not add up to its length";
    return false;
  }
  return true;
}

}  // namespace

bool CheckMemoValue(PageSource& source, std::span<const uint8_t> page, uint32_t start,
                    uint32_t size, std::string& why) {
  if (size < kHeaderSize) return true;  // libmdb reads it as empty text
  const uint32_t length = GetLe32(page, start);
  const uint32_t pointer = GetLe32(page, start + kPointerOffset);
  if (length & kInlineValue) return true;
  if (length & kSinglePageValue) {
    LocateRow(source, pointer, "a memo value");
    return true;
  }
  if ((length & kMemoKindMask) != 0) {
    why = "a memo value is of an unknown kind";
    return false;
  }
  return CheckMemoChain(source, length, pointer, why);
}

std::vector<uint8_t> ReadOleValue(PageSource& source, std::span<const uint8_t> field) {
  if (field.size() < kHeaderSize) source.Fail("an OLE value is shorter than its header");
  const uint32_t length = GetLe32(field, 0);
  uint32_t pointer = GetLe32(field, kPointerOffset);
  if (length & kInlineValue) {
    const auto data = field.subspan(kHeaderSize);
    return {data.begin(), data.end()};
  }
  if (length & kSinglePageValue) {
    const LocatedRow row = LocateRow(source, pointer, "an OLE value");
    return {row.bytes().begin(), row.bytes().end()};
  }
  if ((length & kOleKindMask) != 0) source.Fail("an OLE value is of an unknown kind");
  // mdb_ole_read_full: rows of a pointer and data, until a null pointer or
  // a row that holds nothing after its pointer.
  std::vector<uint8_t> data;
  std::set<uint32_t> seen;
  while (true) {
    if (!seen.insert(pointer).second) source.Fail("an OLE value's chain of pages runs in a cycle");
    const LocatedRow row = LocateRow(source, pointer, "an OLE value");
    if (row.size < kChainPointerSize) source.Fail("an OLE value's page is too short");
    if (row.size == kChainPointerSize) break;
    const auto bytes = row.bytes().subspan(kChainPointerSize);
    data.insert(data.end(), bytes.begin(), bytes.end());
    pointer = GetLe32(*row.page, row.start);
    if (pointer == 0) break;
  }
  return data;
}

}  // namespace vorelka::jet::guard
