#include "jet/write/schema_check.h"

#include <set>

#include "jet/format/catalog_row.h"
#include "jet/write/system_indexes.h"
#include "jet/write/text_encoding.h"

namespace vorelka::jet::writer {

using namespace format;  // NOLINT(google-build-using-namespace): the format this writes
namespace {

constexpr std::u32string_view kForbiddenNameChars = U".!`[]";
constexpr char32_t kFirstPrintable = 0x20;
constexpr char32_t kDelete = 0x7F;

// Jet compares names without regard to case; enough for Latin and Cyrillic.
std::u32string Folded(std::u32string text) {
  for (char32_t& c : text) {
    if (c >= U'A' && c <= U'Z') c += U'a' - U'A';
    if (c >= U'\u0410' && c <= U'\u042F') c += U'\u0430' - U'\u0410';  // А..Я
    if (c >= U'\u0400' && c <= U'\u040F') c += U'\u0450' - U'\u0400';  // Ѐ..Џ
  }
  return text;
}

std::string CheckName(const Format& format, const std::string& what, const std::string& name,
                      std::u32string* folded) {
  std::u32string text;
  std::string problem;
  if (!DecodeUtf8(name, &text, &problem)) return what + " name " + problem;
  if (text.empty()) return what + " name is empty";
  if (text.size() > kMaxNameChars) {
    return what + " name \"" + name + "\" has " + std::to_string(text.size()) +
           " characters; names hold at most " + std::to_string(kMaxNameChars);
  }
  if (text.front() == U' ') return what + " name \"" + name + "\" starts with a blank";
  for (char32_t c : text) {
    if (c < kFirstPrintable || c == kDelete) {
      return what + " name \"" + name + "\" has the control character " + CodePointName(c);
    }
    if (kForbiddenNameChars.find(c) != std::u32string_view::npos) {
      return what + " name \"" + name + "\" has a character names may not hold (. ! ` [ ])";
    }
  }
  std::string encoded;
  if (!EncodeName(format, name, &encoded, &problem)) {
    return what + " name \"" + name + "\" " + problem;
  }
  *folded = Folded(text);
  return "";
}

}  // namespace

std::string CheckSchema(const Format& format, const TableSchema& schema) {
  std::u32string folded;
  if (std::string fault = CheckName(format, "table", schema.table, &folded); !fault.empty()) {
    return fault;
  }
  const std::u32string catalog = Folded(std::u32string(catalog::kCatalogName.begin(),
                                                       catalog::kCatalogName.end()));
  if (folded == catalog) return "table name \"" + schema.table + "\" is the catalog's own";
  for (const std::string_view system : {"MSysACEs", "MSysQueries", "MSysRelationships"}) {
    if (folded == Folded(std::u32string(system.begin(), system.end()))) {
      return "table name \"" + schema.table + "\" is a system table's own";
    }
  }
  std::string key;
  if (!CatalogNameKey(format, schema.table, &key)) {
    return "table name \"" + schema.table +
           "\" has a character the catalog's index of names cannot hold here: use ASCII letters, "
           "digits, blanks and underscores";
  }
  if (schema.text_columns.size() + 1 > kMaxColumns) {
    return "the table has " + std::to_string(schema.text_columns.size() + 1) +
           " columns; a table holds at most " + std::to_string(kMaxColumns);
  }
  std::set<std::u32string> seen;
  std::vector<std::string> names = {schema.key_column};
  names.insert(names.end(), schema.text_columns.begin(), schema.text_columns.end());
  for (const std::string& name : names) {
    if (std::string fault = CheckName(format, "column", name, &folded); !fault.empty()) {
      return fault;
    }
    if (!seen.insert(folded).second) return "column name \"" + name + "\" appears twice";
  }
  return "";
}

}  // namespace vorelka::jet::writer
