#include "tools/import/note_type_choice.h"

#include <optional>

namespace vorelka::tools {
namespace {

struct Side {
  const char* option;
  const std::optional<std::string>* value;
  size_t FieldChoice::*field;
  std::string FieldChoice::*reason;
};

bool IsNumber(const std::string& value) {
  return !value.empty() && value.find_first_not_of("0123456789") == std::string::npos;
}

// What `option` would have to say to pick field `index` of `type`, in the
// form the user gave it (a number or a name, quoted for the shell when it
// has a blank).
std::string Needed(const NoteTypeFields& type, size_t index, const std::string& given) {
  if (IsNumber(given)) return std::to_string(index + 1);
  const std::string& name = type.fields[index].name;
  return name.find(' ') == std::string::npos ? name : "\"" + name + "\"";
}

}  // namespace

std::variant<std::vector<FieldChoice>, SourceError> ChooseNoteTypeFields(
    const std::vector<NoteTypeFields>& types, const ImportOptions& options) {
  const Side sides[] = {
      {"--english-field", &options.english_field, &FieldChoice::english,
       &FieldChoice::english_reason},
      {"--russian-field", &options.russian_field, &FieldChoice::russian,
       &FieldChoice::russian_reason},
  };
  // A name that no note type has is a mistake, not an option for others.
  for (const Side& side : sides) {
    if (!*side.value || types.empty()) continue;
    bool applies = false;
    for (const NoteTypeFields& type : types) {
      applies = applies || OptionApplies(type.fields, **side.value);
    }
    if (applies) continue;
    ChoiceRequest request{.fields = types[0].fields};
    (side.field == &FieldChoice::english ? request.english_override : request.russian_override) =
        *side.value;
    auto choice = ChooseFields(request);
    return SourceError{.place = types[0].place, .message = std::get<std::string>(choice)};
  }

  std::vector<FieldChoice> choices;
  std::vector<std::optional<FieldChoice>> unaided;  // by names and letters alone
  for (const NoteTypeFields& type : types) {
    ChoiceRequest request{.fields = type.fields};
    auto by_itself = ChooseFields(request);
    unaided.push_back(std::holds_alternative<FieldChoice>(by_itself)
                          ? std::optional(std::get<FieldChoice>(by_itself))
                          : std::nullopt);
    for (const Side& side : sides) {
      if (!*side.value || !OptionApplies(type.fields, **side.value)) continue;
      (side.field == &FieldChoice::english ? request.english_override : request.russian_override) =
          *side.value;
    }
    auto choice = ChooseFields(request);
    if (auto* message = std::get_if<std::string>(&choice)) {
      return SourceError{.place = type.place, .message = *message};
    }
    choices.push_back(std::get<FieldChoice>(choice));
  }

  // An option fits a note type whose names and letters agree with it or
  // cannot choose at all; it misfits one whose names or letters choose
  // another field.
  std::string conflicts;
  bool all_unaided = true;
  for (const Side& side : sides) {
    if (!*side.value) continue;
    std::string fits;
    std::string misfits;
    for (size_t t = 0; t < types.size(); ++t) {
      if (!OptionApplies(types[t].fields, **side.value)) continue;
      const size_t chosen = choices[t].*side.field;
      if (!unaided[t] || (*unaided[t]).*side.field == chosen) {
        if (fits.empty()) fits = types[t].place;
        all_unaided = all_unaided && unaided[t].has_value();
        continue;
      }
      const size_t needed = (*unaided[t]).*side.field;
      misfits += std::string(misfits.empty() ? "" : ", ") + types[t].place + " needs " +
                 side.option + " " + Needed(types[t], needed, **side.value) + " (field \"" +
                 types[t].fields[needed].name + "\": " + (*unaided[t]).*side.reason + ")";
    }
    if (fits.empty() || misfits.empty()) continue;
    conflicts += std::string(conflicts.empty() ? "" : "; ") + side.option + " " + **side.value +
                 " fits " + fits + ", but " + misfits;
  }
  if (conflicts.empty()) return choices;
  return SourceError{
      .message =
          "the note types need different fields: " + conflicts +
          ". A field option applies to every note type that has the field" +
          (all_unaided ? "; without it, each note type's fields are chosen by their names and "
                         "letters"
                       : ", so import these note types apart (export each from Anki on its own)")};
}

}  // namespace vorelka::tools
