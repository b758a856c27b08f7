#include "tools/word_list_reader.h"

#include <charconv>
#include <limits>
#include <unordered_map>
#include <vector>

#include "tools/utf8_text.h"

namespace vorelka::tools {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kNullField = "\\N";

struct Field {
  std::string text;
  bool null = false;
  bool quoted = false;
};

int64_t LineOf(std::string_view bytes, size_t offset) {
  int64_t line = 1;
  for (size_t i = 0; i < offset && i < bytes.size(); ++i) line += bytes[i] == '\n';
  return line;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Splits the text into records of fields, TSV or CSV.
class Records {
 public:
  Records(std::string_view bytes, WordListFormat format) : bytes_(bytes), format_(format) {}

  // Reads the next record; false at the end or on a fault (then *error set).
  bool Next(std::vector<Field>* fields, int64_t* line, std::optional<WordListError>* error) {
    if (pos_ >= bytes_.size()) return false;
    *line = line_;
    fields->clear();
    return format_ == WordListFormat::kTsv ? NextTsv(fields, error) : NextCsv(fields, error);
  }

 private:
  bool NextTsv(std::vector<Field>* fields, std::optional<WordListError>* error) {
    size_t end = bytes_.find('\n', pos_);
    if (end == std::string_view::npos) end = bytes_.size();
    std::string_view text = bytes_.substr(pos_, end - pos_);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    pos_ = end + 1;
    const int64_t line = line_++;
    size_t start = 0;
    while (true) {
      const size_t tab = text.find('\t', start);
      std::string_view raw = text.substr(start, tab == std::string_view::npos ? tab : tab - start);
      Field field;
      if (raw == kNullField) {
        field.null = true;
      } else if (!Unescape(raw, &field.text)) {
        *error = WordListError{line, "unknown escape in \"" + std::string(raw) +
                                         "\" (a backslash starts \\\\, \\t, \\n, \\r or \\N)"};
        return false;
      }
      fields->push_back(std::move(field));
      if (tab == std::string_view::npos) break;
      start = tab + 1;
    }
    return true;
  }

  static bool Unescape(std::string_view raw, std::string* out) {
    out->clear();
    out->reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] != '\\') {
        out->push_back(raw[i]);
        continue;
      }
      if (++i == raw.size()) return false;
      switch (raw[i]) {
        case '\\':
          out->push_back('\\');
          break;
        case 't':
          out->push_back('\t');
          break;
        case 'n':
          out->push_back('\n');
          break;
        case 'r':
          out->push_back('\r');
          break;
        default:
          return false;
      }
    }
    return true;
  }

  bool NextCsv(std::vector<Field>* fields, std::optional<WordListError>* error) {
    const int64_t start_line = line_;
    while (true) {
      Field field;
      if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
        field.quoted = true;
        ++pos_;
        while (true) {
          if (pos_ >= bytes_.size()) {
            *error = WordListError{start_line, "a quoted field is never closed"};
            return false;
          }
          const char c = bytes_[pos_++];
          if (c == '\n') ++line_;
          if (c != '"') {
            field.text.push_back(c);
          } else if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
            field.text.push_back('"');
            ++pos_;
          } else {
            break;
          }
        }
        if (pos_ < bytes_.size() && bytes_[pos_] == '\r') ++pos_;
        if (pos_ < bytes_.size() && bytes_[pos_] != ',' && bytes_[pos_] != '\n') {
          *error = WordListError{line_, "text follows a closing quote"};
          return false;
        }
      } else {
        size_t end = bytes_.find_first_of(",\n", pos_);
        if (end == std::string_view::npos) end = bytes_.size();
        std::string_view raw = bytes_.substr(pos_, end - pos_);
        if (!raw.empty() && raw.back() == '\r' && end < bytes_.size() && bytes_[end] == '\n') {
          raw.remove_suffix(1);
        }
        if (raw.find('"') != std::string_view::npos) {
          *error = WordListError{line_,
                                 "a quote inside an unquoted field (quote the field and "
                                 "double the quote)"};
          return false;
        }
        field.null = raw == kNullField;
        if (!field.null) field.text = raw;
        pos_ = end;
      }
      fields->push_back(std::move(field));
      if (pos_ >= bytes_.size()) return true;
      if (bytes_[pos_++] == '\n') {
        ++line_;
        return true;
      }
    }
  }

  std::string_view bytes_;
  WordListFormat format_;
  size_t pos_ = 0;
  int64_t line_ = 1;
};

enum class Column { kId, kEnglish, kRussian };

}  // namespace

std::optional<WordListFormat> FormatFromFileName(std::string_view file_name) {
  const size_t dot = file_name.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const std::string ext = Lower(file_name.substr(dot + 1));
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

std::optional<WordListError> ParseWordList(std::string_view bytes, WordListFormat format,
                                           const std::function<bool(const WordListRow&)>& on_row) {
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    bytes.remove_prefix(kByteOrderMark.size());
  }
  if (const size_t bad = FirstInvalidUtf8(bytes); bad != std::string_view::npos) {
    return WordListError{LineOf(bytes, bad),
                         "is not valid UTF-8 (byte " + std::to_string(bad + 1) + " of the file)"};
  }
  while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) bytes.remove_suffix(1);
  if (Trimmed(bytes).empty()) return WordListError{0, "is empty: it needs a header row"};

  Records records(bytes, format);
  std::vector<Field> fields;
  int64_t line = 0;
  std::optional<WordListError> error;
  records.Next(&fields, &line, &error);
  if (error) return error;

  std::vector<Column> columns;
  bool seen[3] = {false, false, false};
  for (const Field& field : fields) {
    const std::string name = Lower(Trimmed(field.text));
    Column column;
    if (name == "id") {
      column = Column::kId;
    } else if (name == "english") {
      column = Column::kEnglish;
    } else if (name == "russian") {
      column = Column::kRussian;
    } else {
      return WordListError{line, "unknown column \"" + field.text +
                                     "\" in the header; the columns are Id, English and Russian"};
    }
    if (seen[static_cast<int>(column)]) {
      return WordListError{line, "column \"" + field.text + "\" appears twice in the header"};
    }
    seen[static_cast<int>(column)] = true;
    columns.push_back(column);
  }
  if (!seen[static_cast<int>(Column::kEnglish)] || !seen[static_cast<int>(Column::kRussian)]) {
    return WordListError{line, "the header must name the columns English and Russian"};
  }
  const bool has_ids = seen[static_cast<int>(Column::kId)];

  std::unordered_map<int32_t, int64_t> id_lines;
  int64_t next_id = 1;
  WordListRow row;
  while (records.Next(&fields, &line, &error)) {
    if (fields.size() != columns.size()) {
      if (fields.size() == 1 && fields[0].text.empty() && !fields[0].null) {
        return WordListError{line, "is blank"};
      }
      return WordListError{line, "has " + std::to_string(fields.size()) +
                                     " fields; the header has " + std::to_string(columns.size())};
    }
    row.line = line;
    row.english.reset();
    row.russian.reset();
    for (size_t i = 0; i < columns.size(); ++i) {
      Field& field = fields[i];
      if (columns[i] == Column::kId) {
        if (field.null || field.text.empty()) return WordListError{line, "has no Id"};
        int64_t value = 0;
        const char* first = field.text.data();
        const char* last = first + field.text.size();
        auto [end, ec] = std::from_chars(first, last, value);
        if (ec == std::errc::result_out_of_range ||
            (ec == std::errc() && end == last &&
             (value < std::numeric_limits<int32_t>::min() ||
              value > std::numeric_limits<int32_t>::max()))) {
          return WordListError{line,
                               "Id " + field.text + " is out of range (-2147483648 to 2147483647)"};
        }
        if (ec != std::errc() || end != last) {
          return WordListError{line, "Id \"" + field.text + "\" is not a whole number"};
        }
        row.id = static_cast<int32_t>(value);
        continue;
      }
      const char* name = columns[i] == Column::kEnglish ? "English" : "Russian";
      if (!field.null && CharCount(field.text) > kMaxWordChars) {
        return WordListError{
            line, std::string(name) + " has " + std::to_string(CharCount(field.text)) +
                      " characters; a word holds at most " + std::to_string(kMaxWordChars)};
      }
      std::optional<std::string>& target =
          columns[i] == Column::kEnglish ? row.english : row.russian;
      if (!field.null) target = std::move(field.text);
    }
    if (has_ids) {
      auto [it, inserted] = id_lines.emplace(row.id, line);
      if (!inserted) {
        return WordListError{line, "repeats Id " + std::to_string(row.id) + " of line " +
                                       std::to_string(it->second)};
      }
    } else {
      if (next_id > std::numeric_limits<int32_t>::max()) {
        return WordListError{line, "is one row too many: keys would pass 2147483647"};
      }
      row.id = static_cast<int32_t>(next_id++);
    }
    if (!on_row(row)) return std::nullopt;
  }
  return error;
}

}  // namespace vorelka::tools
