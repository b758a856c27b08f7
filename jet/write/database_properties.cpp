#include "jet/write/database_properties.h"

#include <cstring>
#include <vector>

#include "jet/format/properties.h"

namespace vorelka::jet::writer {

using namespace format;      // NOLINT(google-build-using-namespace): the format this writes
using namespace properties;  // NOLINT(google-build-using-namespace)
namespace {

void Le16(std::string* out, uint16_t v) {
  out->push_back(static_cast<char>(v & 0xFF));
  out->push_back(static_cast<char>(v >> 8));
}

void Le32(std::string* out, uint32_t v) {
  Le16(out, static_cast<uint16_t>(v));
  Le16(out, static_cast<uint16_t>(v >> 16));
}

// Names and text values: ASCII here, one byte per character in Jet 3 and
// UCS-2 uncompressed in Jet 4.
std::string Text(const Format& format, const char* ascii) {
  std::string out;
  for (const char* c = ascii; *c != '\0'; ++c) {
    out.push_back(*c);
    if (format.id == JetFormat::kJet4) out.push_back('\0');
  }
  return out;
}

void Record(std::string* block, uint16_t kind, const std::string& data) {
  Le32(block, static_cast<uint32_t>(kRecordHeadSize + data.size()));
  Le16(block, kind);
  block->append(data);
}

void Property(std::string* values, uint16_t name_index, uint8_t type, const std::string& value) {
  Le16(values, static_cast<uint16_t>(kEntryHeadSize + value.size()));
  values->push_back('\0');  // not set through DDL
  values->push_back(static_cast<char>(type));
  Le16(values, name_index);
  Le16(values, static_cast<uint16_t>(value.size()));
  values->append(value);
}

}  // namespace

std::string DatabaseProperties(const Format& format) {
  const bool jet4 = format.id == JetFormat::kJet4;
  const uint8_t* signature = jet4 ? kJet4Signature : kJet3Signature;
  std::string block(reinterpret_cast<const char*>(signature), kSignatureSize);

  const std::vector<std::string> names = {Text(format, kAccessVersionProperty),
                                          Text(format, kBuildProperty)};
  std::string name_data;
  for (const std::string& name : names) {
    Le16(&name_data, static_cast<uint16_t>(name.size()));
    name_data.append(name);
  }
  Record(&block, kNamesRecord, name_data);

  std::string values;
  Le32(&values, kValuesHeadSize);
  Le16(&values, 0);  // the database's own values have no name
  Property(&values, 0, tdef::kTextColumn,
           Text(format, jet4 ? kJet4AccessVersion : kJet3AccessVersion));
  std::string build;
  Le32(&build, static_cast<uint32_t>(jet4 ? kJet4AccessBuild : kJet3AccessBuild));
  Property(&values, 1, tdef::kLongColumn, build);
  Record(&block, kFirstValuesRecord, values);
  return block;
}

}  // namespace vorelka::jet::writer
