// Which of several fields (Anki note fields, list columns, KDE identifiers)
// holds the English word and which the Russian one: the user's choice first,
// then the fields' names, then their script (the mostly Cyrillic field is
// Russian, the mostly Latin one English).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vorelka::tools {

// Letters of each script seen in one field across all rows.
struct ScriptCount {
  int64_t cyrillic = 0;
  int64_t latin = 0;
};

void CountLetters(std::string_view utf8, ScriptCount* count);

struct FieldChoice {
  size_t english = 0;
  size_t russian = 0;
  std::string english_reason;  // "by its name", "mostly Latin letters", …
  std::string russian_reason;
  std::string why;  // one line, e.g. English = field "Back" (mostly Latin), …
};

// One field as the choice sees it.
struct FieldInfo {
  std::string name{};  // may be empty (a list without a header)
  ScriptCount letters{};
  std::string key{};  // what the options call it; empty: its number from 1
};

// `noun` names a field in messages ("field", "column"); `english_override`
// and `russian_override` are a name or a number counted from 1, with the
// option names used in messages. Returns the choice or a message.
struct ChoiceRequest {
  std::vector<FieldInfo> fields{};
  std::string noun = "field";
  std::optional<std::string> english_override{};
  std::optional<std::string> russian_override{};
  std::string english_option = "--english-field";
  std::string russian_option = "--russian-field";
};

std::variant<FieldChoice, std::string> ChooseFields(const ChoiceRequest& request);

// True when an option's value picks one of `fields` (or is a number, which
// picks by position): a field option given by name applies only where a
// field has that name.
bool OptionApplies(const std::vector<FieldInfo>& fields, const std::string& value);

}  // namespace vorelka::tools
