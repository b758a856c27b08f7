#include "tools/import/kvtml_reader.h"

#include <QRegularExpression>
#include <QString>
#include <tuple>
#include <variant>

#include "tools/import/field_choice.h"
#include "tools/import/kvtml_document.h"

namespace vorelka::tools {
namespace {

enum class Language { kEnglish, kRussian, kOther, kUnknown };

// The language an identifier declares: its locale ("en", "en_GB", "ru-RU")
// first, else its name ("English", "Русский").
Language LanguageOf(const KvtmlIdentifier& identifier) {
  QString locale = QString::fromStdString(identifier.locale).trimmed().toLower();
  locale = locale.left(locale.indexOf(QRegularExpression("[_@.-]")));
  if (locale == QLatin1String("en") || locale == QLatin1String("eng")) return Language::kEnglish;
  if (locale == QLatin1String("ru") || locale == QLatin1String("rus")) return Language::kRussian;
  const QString name = QString::fromStdString(identifier.name).trimmed().toLower();
  if (name.contains(QLatin1String("english")) || name.contains(QStringLiteral("английск"))) {
    return Language::kEnglish;
  }
  if (name.contains(QLatin1String("russian")) || name.contains(QStringLiteral("русск"))) {
    return Language::kRussian;
  }
  return locale.isEmpty() ? Language::kUnknown : Language::kOther;
}

std::string Describe(const KvtmlIdentifier& identifier) {
  std::string text = identifier.id;
  if (!identifier.name.empty()) text += " \"" + identifier.name + "\"";
  if (!identifier.locale.empty() && identifier.locale != identifier.name) {
    text += " (" + identifier.locale + ")";
  }
  return text;
}

std::string DescribeAll(const KvtmlDocument& document) {
  std::string list;
  for (const KvtmlIdentifier& identifier : document.identifiers) {
    list += (list.empty() ? "" : ", ") + Describe(identifier);
  }
  return list.empty() ? "none" : list;
}

// --english ID / --russian ID: an identifier's id, locale or name.
std::optional<size_t> Find(const KvtmlDocument& document, const std::string& wanted) {
  const QString key = QString::fromStdString(wanted).trimmed();
  using Member = std::string KvtmlIdentifier::*;
  for (const Member field :
       {&KvtmlIdentifier::id, &KvtmlIdentifier::locale, &KvtmlIdentifier::name}) {
    for (size_t i = 0; i < document.identifiers.size(); ++i) {
      if (QString::fromStdString(document.identifiers[i].*field)
              .compare(key, Qt::CaseInsensitive) == 0) {
        return i;
      }
    }
  }
  return std::nullopt;
}

struct Pick {
  size_t english;
  size_t russian;
  std::string why;
};

std::variant<Pick, SourceError> PickLanguages(const KvtmlDocument& document,
                                              const ImportOptions& options) {
  const size_t count = document.identifiers.size();
  std::optional<size_t> english;
  std::optional<size_t> russian;
  for (const auto& [option, value, target] :
       {std::tuple{"--english", &options.english_id, &english},
        std::tuple{"--russian", &options.russian_id, &russian}}) {
    if (!*value) continue;
    *target = Find(document, **value);
    if (!*target) {
      return SourceError{.message = std::string(option) + " " + **value +
                                    ": no identifier has that id, locale or name (identifiers: " +
                                    DescribeAll(document) + ")"};
    }
  }
  if (english && russian) {
    if (*english == *russian)
      return SourceError{.message = "--english and --russian pick the same identifier"};
    return Pick{*english, *russian,
                "English = identifier " + Describe(document.identifiers[*english]) +
                    ", Russian = identifier " + Describe(document.identifiers[*russian]) +
                    " (chosen with --english and --russian)"};
  }
  if (count < 2) {
    return SourceError{
        .message = (count == 0 ? std::string("has no identifiers")
                               : "has only the identifier " + Describe(document.identifiers[0])) +
                   "; a word pair needs two, an English and a Russian one"};
  }
  bool other = false;
  for (const KvtmlIdentifier& identifier : document.identifiers) {
    other = other || LanguageOf(identifier) == Language::kOther;
  }
  if (count != 2 || other) {
    return SourceError{.message = "has the identifiers " + DescribeAll(document) + "; " +
                                  (english   ? "choose the Russian one with --russian ID"
                                   : russian ? "choose the English one with --english ID"
                                             : "choose the two to read with --english ID "
                                               "--russian ID")};
  }
  // Two identifiers: declared languages first, then script. The options
  // name them by their ids.
  ChoiceRequest request;
  request.noun = "identifier";
  request.english_option = "--english";
  request.russian_option = "--russian";
  bool described = false;
  for (size_t i = 0; i < 2; ++i) {
    const KvtmlIdentifier& identifier = document.identifiers[i];
    described = described || !identifier.name.empty() || !identifier.locale.empty();
    FieldInfo info;
    const Language language = LanguageOf(identifier);
    info.name = language == Language::kEnglish   ? "English"
                : language == Language::kRussian ? "Russian"
                                                 : "";
    info.key = identifier.id;
    for (const KvtmlEntry& entry : document.entries) {
      if (auto it = entry.texts.find(identifier.id); it != entry.texts.end()) {
        CountLetters(it->second, &info.letters);
      }
    }
    request.fields.push_back(info);
  }
  if (english) request.english_override = document.identifiers[*english].id;
  if (russian) request.russian_override = document.identifiers[*russian].id;
  auto choice = ChooseFields(request);
  if (auto* message = std::get_if<std::string>(&choice)) {
    return SourceError{
        .message = *message + (described ? " (identifiers: " + DescribeAll(document) + ")" : "")};
  }
  const FieldChoice& fields = std::get<FieldChoice>(choice);
  const auto how = [&](size_t index, const std::optional<size_t>& given) {
    if (given)
      return std::string("chosen with --") + (index == fields.english ? "english" : "russian");
    const Language language = LanguageOf(document.identifiers[index]);
    if (language != Language::kUnknown) return std::string("by its locale or name");
    return std::string(index == fields.english ? "the other one" : "mostly Cyrillic letters");
  };
  return Pick{fields.english, fields.russian,
              "English = identifier " + Describe(document.identifiers[fields.english]) + " (" +
                  how(fields.english, english) + "), Russian = identifier " +
                  Describe(document.identifiers[fields.russian]) + " (" +
                  how(fields.russian, russian) + ")"};
}

}  // namespace

std::optional<SourceError> ReadKvtml(std::string_view bytes, const ImportOptions& options,
                                     ImportedWords* words) {
  KvtmlDocument document;
  if (auto error = ParseKvtml(bytes, &document)) return error;
  words->format =
      document.version == 1 ? "KDE vocabulary file (kvtml 1.0)" : "KDE vocabulary file (kvtml 2.0)";
  auto picked = PickLanguages(document, options);
  if (auto* error = std::get_if<SourceError>(&picked)) return *error;
  const Pick& pick = std::get<Pick>(picked);
  words->choices.push_back(pick.why);
  const std::string& english_id = document.identifiers[pick.english].id;
  const std::string& russian_id = document.identifiers[pick.russian].id;
  for (size_t i = 0; i < document.entries.size(); ++i) {
    const KvtmlEntry& entry = document.entries[i];
    const std::string place = "entry " + std::to_string(i + 1);
    const auto text_of = [&](const std::string& id) {
      auto it = entry.texts.find(id);
      return it == entry.texts.end() ? std::string() : it->second;
    };
    ImportedPair pair{place, text_of(english_id), text_of(russian_id)};
    if (pair.english.empty() || pair.russian.empty()) {
      words->skipped.push_back({place, pair.english.empty() && pair.russian.empty()
                                           ? "both texts are empty"
                                       : pair.english.empty() ? "the English text is empty"
                                                              : "the Russian text is empty"});
      continue;
    }
    words->pairs.push_back(std::move(pair));
  }
  return std::nullopt;
}

}  // namespace vorelka::tools
