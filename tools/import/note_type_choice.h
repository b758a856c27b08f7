// Which fields of each note type of an Anki deck hold the English and the
// Russian word. Each note type is chosen on its own (see field_choice.h).
// --english-field and --russian-field given by name apply to the note types
// that have a field of that name, by number to every note type. One option
// cannot serve note types that need different fields: when it fits one note
// type while another's field names or letters clearly need a different
// field, the deck is refused, naming each note type and what it needs.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "tools/import/field_choice.h"
#include "tools/import/imported_words.h"

namespace vorelka::tools {

struct NoteTypeFields {
  std::string place{};  // "note type \"Basic\""
  std::vector<FieldInfo> fields{};
};

// One choice per note type, in the order given, or the fault.
std::variant<std::vector<FieldChoice>, SourceError> ChooseNoteTypeFields(
    const std::vector<NoteTypeFields>& types, const ImportOptions& options);

}  // namespace vorelka::tools
