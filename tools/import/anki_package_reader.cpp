#include "tools/import/anki_package_reader.h"

#include <map>
#include <variant>

#include "tools/import/anki_collection.h"
#include "tools/import/field_choice.h"
#include "tools/import/html_text.h"
#include "tools/import/note_type_choice.h"

namespace vorelka::tools {
namespace {

// The collection members of a package, the one Anki reads first first.
constexpr const char* kCollectionMembers[] = {"collection.anki21b", "collection.anki21",
                                              "collection.anki2"};

std::string NotePlace(size_t ordinal, int64_t id) {
  return "note " + std::to_string(ordinal) + " (id " + std::to_string(id) + ")";
}

std::string NoteTypePlace(const AnkiNoteType& type) {
  return "note type \"" + type.name + "\"";
}

std::optional<SourceError> ReadNotes(const AnkiCollection& collection, const ImportOptions& options,
                                     ImportedWords* words) {
  std::map<int64_t, const AnkiNoteType*> types;
  for (const AnkiNoteType& type : collection.note_types) types.emplace(type.id, &type);
  // Plain text of every note, and the script of each note type's fields.
  std::vector<std::vector<std::string>> texts(collection.notes.size());
  std::map<int64_t, std::vector<ScriptCount>> letters;
  for (size_t i = 0; i < collection.notes.size(); ++i) {
    const AnkiNote& note = collection.notes[i];
    auto type = types.find(note.note_type);
    if (type == types.end()) {
      return SourceError{.place = NotePlace(i + 1, note.id),
                         .message = "its note type " + std::to_string(note.note_type) +
                                    " is not in the collection"};
    }
    std::vector<ScriptCount>& counts = letters[note.note_type];
    counts.resize(type->second->fields.size());
    for (size_t f = 0; f < note.fields.size() && f < counts.size(); ++f) {
      texts[i].push_back(HtmlToPlainText(note.fields[f]));
      CountLetters(texts[i].back(), &counts[f]);
    }
  }
  // One choice per note type that has notes.
  std::vector<NoteTypeFields> fields;
  for (const auto& [id, counts] : letters) {
    const AnkiNoteType& type = *types[id];
    NoteTypeFields& entry = fields.emplace_back(NoteTypeFields{.place = NoteTypePlace(type)});
    for (size_t f = 0; f < type.fields.size(); ++f)
      entry.fields.push_back({type.fields[f], counts[f]});
  }
  auto chosen = ChooseNoteTypeFields(fields, options);
  if (auto* error = std::get_if<SourceError>(&chosen)) return *error;
  std::map<int64_t, FieldChoice> choices;
  size_t next = 0;
  for (const auto& [id, counts] : letters) {
    const FieldChoice& choice = std::get<std::vector<FieldChoice>>(chosen)[next];
    words->choices.push_back(fields[next++].place + ": " + choice.why);
    choices.emplace(id, choice);
  }
  for (size_t i = 0; i < collection.notes.size(); ++i) {
    const FieldChoice& choice = choices.at(collection.notes[i].note_type);
    const auto field = [&](size_t f) { return f < texts[i].size() ? texts[i][f] : std::string(); };
    ImportedPair pair{NotePlace(i + 1, collection.notes[i].id), field(choice.english),
                      field(choice.russian)};
    if (pair.english.empty() || pair.russian.empty()) {
      words->skipped.push_back({pair.place, pair.english.empty() && pair.russian.empty()
                                                ? "both fields are empty"
                                            : pair.english.empty() ? "the English field is empty"
                                                                   : "the Russian field is empty"});
      continue;
    }
    words->pairs.push_back(std::move(pair));
  }
  return std::nullopt;
}

// `what` names the database in a fault of the database itself: "member
// collection.anki21 " in a package, empty on its own.
std::optional<SourceError> ReadDatabase(std::string database, const std::string& what,
                                        const ImportOptions& options, ImportedWords* words) {
  AnkiCollection collection;
  if (auto message = ReadAnkiCollection(std::move(database), &collection)) {
    return SourceError{.message = what + *message};
  }
  return ReadNotes(collection, options, words);
}

}  // namespace

std::optional<SourceError> ReadAnkiPackage(std::string_view bytes, const ImportOptions& options,
                                           ImportedWords* words, const UnpackLimits& limits) {
  ZipArchive archive;
  if (auto message = archive.Open(bytes)) return SourceError{.message = *message};
  for (const char* member : kCollectionMembers) {
    if (!archive.Has(member)) continue;
    std::string unpacked;
    if (auto message = archive.Read(member, limits, &unpacked))
      return SourceError{.message = *message};
    words->format = std::string("Anki package (") + member + ")";
    if (std::string_view(member).ends_with("b")) {
      std::string database;
      if (auto message = UnpackZstd(unpacked, limits, &database)) {
        return SourceError{.message = "member " + std::string(member) + ": " + *message};
      }
      unpacked = std::move(database);
    }
    return ReadDatabase(std::move(unpacked), "member " + std::string(member) + " ", options, words);
  }
  std::string names;
  for (const std::string& name : archive.Names()) names += (names.empty() ? "" : ", ") + name;
  return SourceError{.message =
                         "is a zip archive but not an Anki package: it holds no collection "
                         "(collection.anki21b, collection.anki21 or collection.anki2); it holds " +
                         (names.empty() ? std::string("nothing") : names)};
}

std::optional<SourceError> ReadAnkiCollectionFile(std::string_view bytes,
                                                  const ImportOptions& options,
                                                  ImportedWords* words) {
  words->format = "Anki collection";
  return ReadDatabase(std::string(bytes), "", options, words);
}

}  // namespace vorelka::tools
