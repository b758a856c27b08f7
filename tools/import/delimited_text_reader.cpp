#include "tools/import/delimited_text_reader.h"

#include <charconv>
#include <set>
#include <utility>
#include <variant>

#include "tools/delimited_fields.h"
#include "tools/import/field_choice.h"
#include "tools/import/html_text.h"
#include "tools/text_basics.h"
#include "tools/utf8_text.h"

namespace vorelka::tools {
namespace {

struct Separator {
  std::string_view name;
  char byte;
};
constexpr Separator kSeparators[] = {{"tab", '\t'},  {"comma", ','}, {"semicolon", ';'},
                                     {"space", ' '}, {"pipe", '|'},  {"colon", ':'}};

std::string SeparatorName(char byte) {
  for (const Separator& s : kSeparators) {
    if (s.byte == byte) return std::string(s.name);
  }
  return std::string("\"") + byte + "\"";
}

// A header key or value, compared without case.
std::string Folded(std::string_view s) {
  return AsciiLower(TrimmedText(s));
}

struct Header {
  std::optional<char> separator;
  std::optional<bool> html;
  std::optional<std::string> columns;
  int64_t columns_line = 0;
  std::set<size_t> meta_columns;  // from 0
  std::vector<std::string> ignored;
};

struct Record {
  int64_t line = 0;
  std::vector<std::string> fields;
};

// Reads the #key:value lines at the head of the text; `pos` and `line` end
// on the first line after them.
std::optional<SourceError> ReadHeader(std::string_view text, size_t* pos, int64_t* line,
                                      Header* header) {
  bool first = true;
  while (*pos < text.size()) {
    size_t end = text.find('\n', *pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view content = text.substr(*pos, end - *pos);
    if (content.ends_with('\r')) content.remove_suffix(1);
    const bool tags_line = first && content.starts_with("tags:");
    if (!content.starts_with('#') && !tags_line) break;
    first = false;
    const size_t colon = content.find(':');
    if (!tags_line && colon != std::string_view::npos) {
      const std::string key = Folded(content.substr(1, colon - 1));
      const std::string_view value = content.substr(colon + 1);
      if (key == "separator") {
        const std::string named = Folded(value);
        for (const Separator& s : kSeparators) {
          if (named == s.name) header->separator = s.byte;
        }
        if (!header->separator && value.size() == 1) header->separator = value[0];
        if (!header->separator) {
          return FaultOnLine(*line, "#separator:" + std::string(value) +
                                        " is not a separator: use tab, comma, semicolon, "
                                        "space, pipe, colon or one character");
        }
      } else if (key == "html") {
        const std::string flag = Folded(value);
        if (flag != "true" && flag != "false") {
          return FaultOnLine(*line, "#html:" + std::string(value) + " must be true or false");
        }
        header->html = flag == "true";
      } else if (key == "columns") {
        header->columns = std::string(value);
        header->columns_line = *line;
      } else if (key == "notetype column" || key == "deck column" || key == "tags column" ||
                 key == "guid column") {
        const std::string_view digits = TrimmedText(value);
        size_t column = 0;
        auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), column);
        if (ec != std::errc() || ptr != digits.data() + digits.size() || column == 0) {
          return FaultOnLine(
              *line, "#" + key + ":" + std::string(value) + " must be a column number from 1");
        }
        header->meta_columns.insert(column - 1);
      } else {
        header->ignored.push_back("line " + std::to_string(*line) + ": " + std::string(content) +
                                  " (not used)");
      }
    } else if (tags_line) {
      header->ignored.push_back("line 1: " + std::string(content) + " (not used)");
    }
    *pos = end < text.size() ? end + 1 : end;  // the last line may lack its line feed
    ++*line;
  }
  return std::nullopt;
}

char GuessSeparator(std::string_view body, SeparatorHint hint) {
  if (body.find('\t') != std::string_view::npos || hint == SeparatorHint::kTab) return '\t';
  if (hint == SeparatorHint::kComma) return ',';
  for (char c : {',', ';', '|'}) {
    if (body.find(c) != std::string_view::npos) return c;
  }
  return '\t';
}

// Splits `text` into records of fields; its first line is line `line` of the
// source. Blank lines and lines that start with '#' are passed over.
std::optional<SourceError> ReadRecords(std::string_view text, int64_t line, char separator,
                                       std::vector<Record>* records) {
  DelimitedFields reader(text, AnkiFields(separator), line);
  std::vector<DelimitedField> fields;
  while (!reader.AtEnd()) {
    const std::string_view rest = reader.Rest();
    if (rest.starts_with('\n') || rest.starts_with('#') || rest.starts_with("\r\n")) {
      reader.SkipLine();
      continue;
    }
    Record record{reader.line(), {}};
    if (auto error = reader.Next(&fields)) return error;
    for (DelimitedField& field : fields) record.fields.push_back(std::move(field.text));
    records->push_back(std::move(record));
  }
  return std::nullopt;
}

}  // namespace

bool HasAnkiHeaderLine(std::string_view bytes) {
  bytes = WithoutByteOrderMark(bytes);
  const std::string_view first = bytes.substr(0, bytes.find('\n'));
  return (first.starts_with('#') && first.find(':') != std::string_view::npos) ||
         first.starts_with("tags:");
}

std::optional<SourceError> ReadDelimitedText(std::string_view bytes, SeparatorHint hint,
                                             const ImportOptions& options, ImportedWords* words) {
  // Checked with the mark still on, so that the byte named is the file's.
  if (auto error = CheckUtf8Text(bytes)) return error;
  bytes = WithoutByteOrderMark(bytes);
  Header header;
  size_t pos = 0;
  int64_t line = 1;
  if (auto error = ReadHeader(bytes, &pos, &line, &header)) return error;
  const bool anki = pos > 0;
  const char separator = header.separator.value_or(GuessSeparator(bytes.substr(pos), hint));
  std::vector<Record> records;
  if (auto error = ReadRecords(bytes.substr(pos), line, separator, &records)) return error;
  if (records.empty()) return SourceError{.message = "holds no rows"};
  const size_t width = records[0].fields.size();
  for (const Record& record : records) {
    if (record.fields.size() != width) {
      return FaultOnLine(record.line, "has " + std::to_string(record.fields.size()) +
                                          " fields; line " + std::to_string(records[0].line) +
                                          " has " + std::to_string(width) +
                                          " (a field that holds the " + SeparatorName(separator) +
                                          " needs quotes)");
    }
  }
  std::vector<std::string> names(width);
  if (header.columns) {
    std::vector<Record> labels;
    if (auto error = ReadRecords(*header.columns, header.columns_line, separator, &labels)) {
      return error;
    }
    for (size_t i = 0; !labels.empty() && i < labels[0].fields.size() && i < width; ++i) {
      names[i] = std::string(TrimmedText(labels[0].fields[i]));
    }
  }
  bool html = false;
  if (header.html) {
    html = *header.html;
  } else {
    for (const Record& record : records) {
      for (const std::string& field : record.fields) html = html || LooksLikeHtml(field);
    }
  }
  for (Record& record : records) {
    for (std::string& field : record.fields) {
      field = html ? HtmlToPlainText(field) : std::string(TrimmedText(field));
    }
  }
  // Columns the header gives to Anki's own use take part only by name or
  // number: their letters are not counted.
  ChoiceRequest request;
  request.noun = "column";
  request.english_override = options.english_field;
  request.russian_override = options.russian_field;
  for (size_t c = 0; c < width; ++c) {
    FieldInfo info{names[c], {}};
    if (header.meta_columns.count(c) == 0) {
      for (const Record& record : records) CountLetters(record.fields[c], &info.letters);
    }
    request.fields.push_back(info);
  }
  auto choice = ChooseFields(request);
  if (auto* message = std::get_if<std::string>(&choice)) return SourceError{.message = *message};
  const FieldChoice& chosen = std::get<FieldChoice>(choice);
  const size_t english = chosen.english;
  const size_t russian = chosen.russian;

  words->format = std::string(anki ? "Anki text export" : "list without a header") + " (" +
                  SeparatorName(separator) + "-separated" + (html ? ", HTML" : "") + ")";
  words->choices.push_back(chosen.why);
  words->ignored = header.ignored;
  for (const Record& record : records) {
    ImportedPair pair{"line " + std::to_string(record.line), record.fields[english],
                      record.fields[russian]};
    if (pair.english.empty() || pair.russian.empty()) {
      words->skipped.push_back(
          {pair.place, pair.english.empty() && pair.russian.empty() ? "both columns are empty"
                       : pair.english.empty()                       ? "the English column is empty"
                                              : "the Russian column is empty"});
      continue;
    }
    words->pairs.push_back(std::move(pair));
  }
  return std::nullopt;
}

}  // namespace vorelka::tools
