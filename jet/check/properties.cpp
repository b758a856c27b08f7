#include "jet/check/properties.h"

#include <set>
#include <string>
#include <vector>

#include "jet/check/table_definition.h"
#include "jet/format/properties.h"

namespace vorelka::jet::guard {
namespace {

using namespace properties;  // NOLINT(google-build-using-namespace)

// Property types libmdb turns into text; others it warns about.
bool KnownPropertyType(uint8_t type) {
  return (type >= 0x01 && type <= 0x0C) || type == 0x0F || type == 0x10 || type == 0x12;
}

std::vector<std::vector<uint8_t>> CheckNames(PageSource& source, std::span<const uint8_t> data) {
  std::vector<std::vector<uint8_t>> names;
  size_t at = 0;
  while (at < data.size()) {
    if (at + 2 > data.size()) source.Fail("a property name runs past its record");
    const uint32_t length = GetLe16(data, at);
    at += 2;
    if (at + length > data.size()) source.Fail("a property name runs past its record");
    names.emplace_back(data.begin() + static_cast<ptrdiff_t>(at),
                       data.begin() + static_cast<ptrdiff_t>(at + length));
    at += length;
  }
  return names;
}

void CheckValues(PageSource& source, std::span<const uint8_t> data,
                 const std::vector<std::vector<uint8_t>>& names) {
  if (data.size() < kValuesHeadSize) source.Fail("a property record is too short");
  const uint32_t name_length = GetLe16(data, kValuesNameLengthOffset);
  size_t at = kValuesHeadSize + name_length;
  if (at > data.size()) source.Fail("a property record's name runs past it");
  std::set<std::vector<uint8_t>> seen;
  while (at < data.size()) {
    if (at + kEntryHeadSize > data.size()) source.Fail("a property entry runs past its record");
    const uint32_t length = GetLe16(data, at);
    const uint8_t type = data[at + kEntryTypeOffset];
    const uint32_t name = GetLe16(data, at + kEntryNameOffset);
    const uint32_t size = GetLe16(data, at + kEntrySizeOffset);
    if (name >= names.size()) return;                      // libmdb stops reading the record here
    if (at + kEntryHeadSize + size > data.size()) return;  // and here
    if (length < kEntryHeadSize + size) source.Fail("a property entry's length is wrong");
    if (!KnownPropertyType(type))
      source.Fail("a property is of unknown type " + std::to_string(type));
    if (size < FixedWidthOfType(type) || (type == tdef::kBoolColumn && size < 1)) {
      source.Fail("a property value is shorter than its type");
    }
    // A name set twice would be kept twice by libmdb, and the first copy lost.
    if (!seen.insert(names[name]).second) source.Fail("a property block names a property twice");
    at += length;
  }
}

}  // namespace

void CheckPropertyBlocks(PageSource& source, std::span<const uint8_t> blocks) {
  if (blocks.size() < kSignatureSize ||
      (!std::equal(blocks.begin(), blocks.begin() + kSignatureSize, kJet3Signature) &&
       !std::equal(blocks.begin(), blocks.begin() + kSignatureSize, kJet4Signature))) {
    source.Fail("a property block has no known signature");
  }
  std::vector<std::vector<uint8_t>> names;
  bool have_names = false;
  size_t at = kSignatureSize;
  while (at < blocks.size()) {
    if (at + kRecordHeadSize > blocks.size()) source.Fail("a property record runs past its block");
    const uint32_t length = GetLe32(blocks, at);
    const uint32_t kind = GetLe16(blocks, at + 4);
    if (length < kRecordHeadSize || length > blocks.size() - at) {
      source.Fail("a property record's length is wrong");
    }
    const auto data = blocks.subspan(at + kRecordHeadSize, length - kRecordHeadSize);
    if (kind == kNamesRecord) {
      names = CheckNames(source, data);
      have_names = true;
    } else if (kind <= kLastValuesRecord) {
      if (!have_names) source.Fail("a property record comes before the names it uses");
      CheckValues(source, data, names);
    } else {
      source.Fail("a property record is of unknown kind " + std::to_string(kind));
    }
    at += length;
  }
}

}  // namespace vorelka::jet::guard
