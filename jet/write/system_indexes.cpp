#include "jet/write/system_indexes.h"

#include <algorithm>

#include "jet/format/data_page.h"
#include "jet/format/index_page.h"
#include "jet/format/text_index.h"
#include "jet/write/index_writer.h"

namespace vorelka::jet::writer {

using namespace format;  // NOLINT(google-build-using-namespace): the format this writes
namespace {

std::string LongKey(uint32_t value) {
  const index::LongKey key = index::EncodeLongKey(static_cast<int32_t>(value));
  return std::string(key.begin(), key.end());
}

std::string PointerBytes(uint32_t page, size_t row) {
  uint8_t bytes[index::kRowPointerSize];
  PutEntryRowPointer(bytes, data::MakeRowPointer(page, static_cast<uint32_t>(row)));
  return std::string(bytes, bytes + sizeof bytes);
}

struct Keyed {
  std::string key;
  std::string pointer;
};

std::vector<std::string> InIndexOrder(std::vector<Keyed> entries) {
  std::sort(entries.begin(), entries.end(), [](const Keyed& a, const Keyed& b) {
    return a.key != b.key ? a.key < b.key : a.pointer < b.pointer;
  });
  std::vector<std::string> out;
  for (const Keyed& entry : entries) out.push_back(entry.key + entry.pointer);
  return out;
}

}  // namespace

bool CatalogNameKey(const Format& format, const std::string& name, std::string* key) {
  const bool jet4 = format.id == JetFormat::kJet4;
  key->assign(1, static_cast<char>(index::kAscendingStartFlag));
  for (char c : name) {
    if (!text_index::AppendSortCode(jet4, c, key)) return false;
  }
  if (jet4) key->push_back(static_cast<char>(text_index::kJet4EndOfCodes));
  key->push_back(static_cast<char>(text_index::kEndOfKey));
  return true;
}

std::vector<std::vector<std::string>> CatalogIndexEntries(const Format& format,
                                                          const std::vector<CatalogObject>& objects,
                                                          uint32_t catalog_page) {
  std::vector<Keyed> by_parent_and_name;
  std::vector<Keyed> by_id;
  for (size_t row = 0; row < objects.size(); ++row) {
    const std::string pointer = PointerBytes(catalog_page, row);
    std::string name;
    CatalogNameKey(format, objects[row].name, &name);  // names are checked beforehand
    by_parent_and_name.push_back({LongKey(objects[row].parent_id) + name, pointer});
    by_id.push_back({LongKey(objects[row].id), pointer});
  }
  return {InIndexOrder(std::move(by_parent_and_name)), InIndexOrder(std::move(by_id))};
}

std::vector<std::vector<std::string>> AccessControlIndexEntries(
    const std::vector<AccessControlEntry>& entries, uint32_t ace_page) {
  std::vector<Keyed> by_object;
  for (size_t row = 0; row < entries.size(); ++row) {
    by_object.push_back({LongKey(entries[row].object_id), PointerBytes(ace_page, row)});
  }
  return {InIndexOrder(std::move(by_object))};
}

}  // namespace vorelka::jet::writer
