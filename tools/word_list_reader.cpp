#include "tools/word_list_reader.h"

#include <charconv>
#include <limits>
#include <unordered_map>
#include <vector>

#include "tools/delimited_fields.h"
#include "tools/text_basics.h"
#include "tools/utf8_text.h"

namespace vorelka::tools {
namespace {

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

enum class Column { kId, kEnglish, kRussian };

}  // namespace

std::optional<WordListFormat> FormatFromFileName(std::string_view file_name) {
  const size_t dot = file_name.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const std::string ext = AsciiLower(file_name.substr(dot + 1));
  if (ext == "csv") return WordListFormat::kCsv;
  if (ext == "tsv" || ext == "tab") return WordListFormat::kTsv;
  return std::nullopt;
}

WordListFormat SniffFormat(std::string_view bytes) {
  const std::string_view header = bytes.substr(0, bytes.find('\n'));
  const bool tab = header.find('\t') != std::string_view::npos;
  const bool comma = header.find(',') != std::string_view::npos;
  return comma && !tab ? WordListFormat::kCsv : WordListFormat::kTsv;
}

std::optional<SourceError> ParseWordList(std::string_view bytes, WordListFormat format,
                                         const std::function<bool(const WordListRow&)>& on_row) {
  // Checked with the mark still on, so that the byte named is the file's.
  if (auto error = CheckUtf8Text(bytes)) return error;
  bytes = WithoutByteOrderMark(bytes);
  while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) bytes.remove_suffix(1);
  if (Trimmed(bytes).empty()) return FaultOnLine(0, "is empty: it needs a header row");

  DelimitedFields records(bytes, format == WordListFormat::kCsv ? kCsvFields : kTsvFields);
  std::vector<DelimitedField> fields;
  int64_t line = records.line();
  if (auto error = records.Next(&fields)) return error;

  std::vector<Column> columns;
  bool seen[3] = {false, false, false};
  for (const DelimitedField& field : fields) {
    const std::string name = AsciiLower(Trimmed(field.text));
    Column column;
    if (name == "id") {
      column = Column::kId;
    } else if (name == "english") {
      column = Column::kEnglish;
    } else if (name == "russian") {
      column = Column::kRussian;
    } else {
      return FaultOnLine(line, "unknown column \"" + field.text +
                                   "\" in the header; the columns are Id, English and Russian");
    }
    if (seen[static_cast<int>(column)]) {
      return FaultOnLine(line, "column \"" + field.text + "\" appears twice in the header");
    }
    seen[static_cast<int>(column)] = true;
    columns.push_back(column);
  }
  if (!seen[static_cast<int>(Column::kEnglish)] || !seen[static_cast<int>(Column::kRussian)]) {
    return FaultOnLine(line, "the header must name the columns English and Russian");
  }
  const bool has_ids = seen[static_cast<int>(Column::kId)];

  std::unordered_map<int32_t, int64_t> id_lines;
  int64_t next_id = 1;
  WordListRow row;
  while (!records.AtEnd()) {
    line = records.line();
    if (auto error = records.Next(&fields)) return error;
    if (fields.size() != columns.size()) {
      if (fields.size() == 1 && fields[0].text.empty() && !fields[0].null) {
        return FaultOnLine(line, "is blank");
      }
      return FaultOnLine(line, "has " + std::to_string(fields.size()) + " fields; the header has " +
                                   std::to_string(columns.size()));
    }
    row.line = line;
    row.english.reset();
    row.russian.reset();
    for (size_t i = 0; i < columns.size(); ++i) {
      DelimitedField& field = fields[i];
      if (columns[i] == Column::kId) {
        if (field.null || field.text.empty()) return FaultOnLine(line, "has no Id");
        int64_t value = 0;
        const char* first = field.text.data();
        const char* last = first + field.text.size();
        auto [end, ec] = std::from_chars(first, last, value);
        if (ec == std::errc::result_out_of_range ||
            (ec == std::errc() && end == last &&
             (value < std::numeric_limits<int32_t>::min() ||
              value > std::numeric_limits<int32_t>::max()))) {
          return FaultOnLine(line,
                             "Id " + field.text + " is out of range (-2147483648 to 2147483647)");
        }
        if (ec != std::errc() || end != last) {
          return FaultOnLine(line, "Id \"" + field.text + "\" is not a whole number");
        }
        row.id = static_cast<int32_t>(value);
        continue;
      }
      const char* name = columns[i] == Column::kEnglish ? "English" : "Russian";
      if (!field.null && CharCount(field.text) > kMaxWordChars) {
        return FaultOnLine(
            line, std::string(name) + " has " + std::to_string(CharCount(field.text)) +
                      " characters; a word holds at most " + std::to_string(kMaxWordChars));
      }
      std::optional<std::string>& target =
          columns[i] == Column::kEnglish ? row.english : row.russian;
      if (!field.null) target = std::move(field.text);
    }
    if (has_ids) {
      auto [it, inserted] = id_lines.emplace(row.id, line);
      if (!inserted) {
        return FaultOnLine(line, "repeats Id " + std::to_string(row.id) + " of line " +
                                     std::to_string(it->second));
      }
    } else {
      if (next_id > std::numeric_limits<int32_t>::max()) {
        return FaultOnLine(line, "is one row too many: keys would pass 2147483647");
      }
      row.id = static_cast<int32_t>(next_id++);
    }
    if (!on_row(row)) return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace vorelka::tools
