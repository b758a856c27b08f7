#include "tools/import/source_reader.h"

#include "tools/import/anki_collection.h"
#include "tools/import/anki_package_reader.h"
#include "tools/import/delimited_text_reader.h"
#include "tools/import/field_choice.h"
#include "tools/import/html_text.h"
#include "tools/import/kvtml_document.h"
#include "tools/import/kvtml_reader.h"
#include "tools/import/package_member.h"
#include "tools/text_basics.h"
#include "tools/utf8_text.h"
#include "tools/word_list_reader.h"

namespace vorelka::tools {
namespace {

std::string Extension(std::string_view file_name) {
  const size_t slash = file_name.find_last_of('/');
  if (slash != std::string_view::npos) file_name.remove_prefix(slash + 1);
  const size_t dot = file_name.rfind('.');
  if (dot == std::string_view::npos) return "";
  return AsciiLower(file_name.substr(dot + 1));
}

// A header row of our own word lists: a field named English, Russian or Id,
// and no Cyrillic anywhere in the row (which a row of words would have).
bool HasWordListHeader(std::string_view bytes) {
  bytes = WithoutByteOrderMark(bytes);
  std::string_view first = bytes.substr(0, bytes.find('\n'));
  if (TrimmedText(first).empty()) return TrimmedText(bytes).empty();
  ScriptCount letters;
  CountLetters(first, &letters);
  if (letters.cyrillic > 0) return false;
  const char separator = first.find('\t') != std::string_view::npos ? '\t' : ',';
  size_t start = 0;
  while (start <= first.size()) {
    size_t end = first.find(separator, start);
    if (end == std::string_view::npos) end = first.size();
    std::string_view name = TrimmedText(first.substr(start, end - start));
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') {
      name = name.substr(1, name.size() - 2);
    }
    const std::string lower = AsciiLower(name);
    if (lower == "english" || lower == "russian") return true;
    start = end + 1;
  }
  return false;
}

// When the name promises another form than the content has, what a fault
// in reading it should add: the file was read as its content says.
std::string NameHint(std::string_view file_name, SourceKind kind) {
  const std::string extension = Extension(file_name);
  const char* promise = nullptr;
  SourceKind promised = kind;
  if (extension == "apkg" || extension == "colpkg") {
    promised = SourceKind::kAnkiPackage;
    promise = "a zip archive, as an Anki package is";
  } else if (extension == "anki2" || extension == "anki21") {
    promised = SourceKind::kAnkiDatabase;
    promise = "an SQLite database, as an Anki collection is";
  } else if (extension == "kvtml") {
    promised = SourceKind::kKvtml;
    promise = "XML, as a KDE vocabulary file is";
  }
  if (promised == kind) return "";
  const char* read_as = kind == SourceKind::kAnkiPackage    ? "an Anki package"
                        : kind == SourceKind::kAnkiDatabase ? "an Anki collection"
                        : kind == SourceKind::kKvtml        ? "a KDE vocabulary file"
                                                            : "text";
  return " (its name ends in ." + extension + ", but it is not " + promise +
         ", so it was read as " + read_as + ")";
}

std::optional<SourceError> CheckPair(const ImportedPair& pair) {
  for (const auto& [side, text] :
       {std::pair{"English", &pair.english}, {"Russian", &pair.russian}}) {
    if (FirstInvalidUtf8(*text) != std::string_view::npos) {
      return SourceError{.place = pair.place,
                         .message = std::string("the ") + side + " text is not valid UTF-8"};
    }
    const size_t characters = CharCount(*text);
    if (characters > kMaxWordChars) {
      return SourceError{
          .place = pair.place,
          .message = std::string("the ") + side + " text has " + std::to_string(characters) +
                     " characters; a word holds at most " + std::to_string(kMaxWordChars)};
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<SourceError> DetectSource(std::string_view bytes, std::string_view file_name,
                                        SourceKind* kind) {
  if (TrimmedText(WithoutByteOrderMark(bytes)).empty()) {
    return SourceError{.file = std::string(file_name), .message = "is empty"};
  }
  if (LooksLikeZip(bytes)) {
    *kind = SourceKind::kAnkiPackage;
  } else if (LooksLikeSqlite(bytes)) {
    *kind = SourceKind::kAnkiDatabase;
  } else if (LooksLikeXml(bytes)) {
    *kind = SourceKind::kKvtml;
  } else if (HasAnkiHeaderLine(bytes)) {
    *kind = SourceKind::kDelimited;
  } else if (HasWordListHeader(bytes)) {
    *kind = SourceKind::kWordList;
  } else {
    *kind = SourceKind::kDelimited;
  }
  return std::nullopt;
}

namespace {

std::optional<SourceError> ReadSource(std::string_view bytes, std::string_view file_name,
                                      SourceKind kind, const ImportOptions& options,
                                      ImportedWords* words) {
  std::optional<SourceError> error;
  switch (kind) {
    case SourceKind::kKvtml:
      error = ReadKvtml(bytes, options, words);
      break;
    case SourceKind::kAnkiPackage:
      error = ReadAnkiPackage(bytes, options, words);
      break;
    case SourceKind::kAnkiDatabase:
      error = ReadAnkiCollectionFile(bytes, options, words);
      break;
    case SourceKind::kDelimited: {
      const std::string extension = Extension(file_name);
      const SeparatorHint hint = extension == "csv"   ? SeparatorHint::kComma
                                 : extension == "tsv" ? SeparatorHint::kTab
                                                      : SeparatorHint::kNone;
      error = ReadDelimitedText(bytes, hint, options, words);
      break;
    }
    case SourceKind::kWordList:
      return SourceError{.message =
                             "is a word list with a header; it is read by the word-list reader"};
  }
  if (error) return error;
  for (const ImportedPair& pair : words->pairs) {
    if (auto bad = CheckPair(pair)) return bad;
  }
  if (words->pairs.empty()) {
    return SourceError{.message = "holds no word pairs" +
                                  std::string(words->skipped.empty() ? "" : " that are not empty")};
  }
  return std::nullopt;
}

}  // namespace

std::optional<SourceError> ImportWords(std::string_view bytes, std::string_view file_name,
                                       SourceKind kind, const ImportOptions& options,
                                       ImportedWords* words) {
  std::optional<SourceError> error = ReadSource(bytes, file_name, kind, options, words);
  if (error) {
    error->file = std::string(file_name);
    error->message += NameHint(file_name, kind);
  }
  return error;
}

}  // namespace vorelka::tools
