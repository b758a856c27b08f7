#include "tools/delimited_fields.h"

namespace vorelka::tools {
namespace {

// Replaces the TSV escapes in `raw`; false on a backslash that starts none.
bool Unescape(std::string_view raw, std::string* out) {
  out->clear();
  out->reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != '\\') {
      out->push_back(raw[i]);
      continue;
    }
    if (++i == raw.size()) return false;
    bool known = false;
    for (const auto& [letter, meaning] : kTsvEscapes) {
      if (raw[i] == letter) {
        out->push_back(meaning);
        known = true;
        break;
      }
    }
    if (!known) return false;
  }
  return true;
}

}  // namespace

void DelimitedFields::SkipLine() {
  const size_t end = text_.find('\n', pos_);
  pos_ = end == std::string_view::npos ? text_.size() : end + 1;
  ++line_;
}

std::optional<SourceError> DelimitedFields::Next(std::vector<DelimitedField>* fields) {
  fields->clear();
  while (true) {
    DelimitedField field;
    const bool quoted = syntax_.quotes && pos_ < text_.size() && text_[pos_] == '"';
    if (auto error = quoted ? ReadQuoted(&field) : ReadUnquoted(&field)) return error;
    fields->push_back(std::move(field));
    if (pos_ >= text_.size()) return std::nullopt;
    if (text_[pos_++] == '\n') {
      ++line_;
      return std::nullopt;
    }
  }
}

std::optional<SourceError> DelimitedFields::ReadQuoted(DelimitedField* field) {
  const int64_t start = line_;
  ++pos_;
  while (true) {
    if (pos_ >= text_.size()) return FaultOnLine(start, "a quoted field is never closed");
    const char c = text_[pos_++];
    if (c == '\n') ++line_;
    if (c != '"') {
      field->text.push_back(c);
    } else if (pos_ < text_.size() && text_[pos_] == '"') {
      field->text.push_back('"');
      ++pos_;
    } else {
      break;
    }
  }
  if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
  if (pos_ < text_.size() && text_[pos_] != syntax_.separator && text_[pos_] != '\n') {
    return FaultOnLine(line_, "text follows a closing quote");
  }
  return std::nullopt;
}

std::optional<SourceError> DelimitedFields::ReadUnquoted(DelimitedField* field) {
  size_t end = pos_;
  while (end < text_.size() && text_[end] != syntax_.separator && text_[end] != '\n') ++end;
  std::string_view raw = text_.substr(pos_, end - pos_);
  if (raw.ends_with('\r') && (end == text_.size() || text_[end] == '\n')) raw.remove_suffix(1);
  pos_ = end;
  if (syntax_.strict_quotes && raw.find('"') != std::string_view::npos) {
    return FaultOnLine(line_,
                       "a quote inside an unquoted field (quote the field and double the quote)");
  }
  if (syntax_.null_marker && raw == kTsvNull) {
    field->null = true;
  } else if (!syntax_.escapes) {
    field->text = raw;
  } else if (!Unescape(raw, &field->text)) {
    return FaultOnLine(line_, "unknown escape in \"" + std::string(raw) +
                                  "\" (a backslash starts \\\\, \\t, \\n, \\r or \\N)");
  }
  return std::nullopt;
}

}  // namespace vorelka::tools
