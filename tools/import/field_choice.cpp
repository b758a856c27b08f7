#include "tools/import/field_choice.h"

#include <QString>
#include <charconv>

namespace vorelka::tools {
namespace {

enum class Side { kEnglish, kRussian };

const char* SideName(Side side) {
  return side == Side::kEnglish ? "English" : "Russian";
}

// A field name that says which language it holds ("English", "Russian word",
// "Русский"…), compared without case.
std::optional<Side> SideOfName(const std::string& name) {
  const QString lower = QString::fromUtf8(name).trimmed().toLower();
  const bool english = lower.contains(QLatin1String("english")) || lower == QLatin1String("en") ||
                       lower.contains(QStringLiteral("английск"));
  const bool russian = lower.contains(QLatin1String("russian")) || lower == QLatin1String("ru") ||
                       lower.contains(QStringLiteral("русск"));
  if (english == russian) return std::nullopt;
  return english ? Side::kEnglish : Side::kRussian;
}

bool Mostly(int64_t part, const ScriptCount& c) {
  return part * 2 > c.cyrillic + c.latin;
}

// What the options call field `index`: its key, else its number from 1.
std::string KeyOf(const ChoiceRequest& request, size_t index) {
  const std::string& key = request.fields[index].key;
  return key.empty() ? std::to_string(index + 1) : key;
}

std::string Label(const ChoiceRequest& request, size_t index) {
  const std::string& name = request.fields[index].name;
  if (name.empty()) return request.noun + " " + KeyOf(request, index);
  return request.noun + " \"" + name + "\"";
}

std::string ListOfFields(const ChoiceRequest& request) {
  std::string list;
  for (size_t i = 0; i < request.fields.size(); ++i) {
    if (i > 0) list += ", ";
    list += KeyOf(request, i);
    if (!request.fields[i].name.empty()) list += " \"" + request.fields[i].name + "\"";
  }
  return list;
}

std::optional<size_t> Number(const std::string& value) {
  size_t number = 0;
  const char* end = value.data() + value.size();
  if (auto [ptr, ec] = std::from_chars(value.data(), end, number);
      ec == std::errc() && ptr == end) {
    return number;
  }
  return std::nullopt;
}

std::optional<size_t> Named(const std::vector<FieldInfo>& fields, const std::string& value) {
  const QString wanted = QString::fromUtf8(value).trimmed();
  for (size_t i = 0; i < fields.size(); ++i) {
    if (QString::fromUtf8(fields[i].name).trimmed().compare(wanted, Qt::CaseInsensitive) == 0) {
      return i;
    }
  }
  return std::nullopt;
}

// Resolves --english-field / --russian-field: a key, a number from 1, or a
// name.
std::variant<size_t, std::string> Resolve(const ChoiceRequest& request, const std::string& value,
                                          const std::string& option) {
  for (size_t i = 0; i < request.fields.size(); ++i) {
    if (!request.fields[i].key.empty() && request.fields[i].key == value) return i;
  }
  if (const std::optional<size_t> number = Number(value)) {
    if (*number >= 1 && *number <= request.fields.size()) return *number - 1;
    return option + " " + value + ": there are " + std::to_string(request.fields.size()) + " " +
           request.noun + "s (" + ListOfFields(request) + ")";
  }
  if (const std::optional<size_t> named = Named(request.fields, value)) return *named;
  return option + " \"" + value + "\": no " + request.noun + " has that name (" +
         ListOfFields(request) + ")";
}

// The one field not yet taken whose letters are mostly of `side`'s script.
std::variant<size_t, std::string> ByScript(const ChoiceRequest& request, Side side,
                                           std::optional<size_t> taken) {
  std::vector<size_t> candidates;
  for (size_t i = 0; i < request.fields.size(); ++i) {
    if (taken && *taken == i) continue;
    const ScriptCount& c = request.fields[i].letters;
    if (Mostly(side == Side::kRussian ? c.cyrillic : c.latin, c)) candidates.push_back(i);
  }
  const std::string option =
      side == Side::kEnglish ? request.english_option : request.russian_option;
  const char* script = side == Side::kEnglish ? "Latin" : "Cyrillic";
  if (candidates.size() == 1) return candidates[0];
  if (candidates.empty()) {
    // Two fields, one of them taken: the other one is the only candidate.
    if (taken && request.fields.size() == 2) return 1 - *taken;
    return std::string("no ") + request.noun + " is mostly " + script + " letters, so none is " +
           SideName(side) + "; name it with " + option + " (" + ListOfFields(request) + ")";
  }
  std::string names;
  for (size_t i = 0; i < candidates.size(); ++i) {
    names += (i == 0                       ? ""
              : i + 1 == candidates.size() ? " and "
                                           : ", ") +
             Label(request, candidates[i]);
  }
  return names + " are all mostly " + script + " letters; choose the " + SideName(side) +
         " one with " + option;
}

}  // namespace

bool OptionApplies(const std::vector<FieldInfo>& fields, const std::string& value) {
  return Number(value) || Named(fields, value);
}

void CountLetters(std::string_view utf8, ScriptCount* count) {
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  for (const QChar c : text) {
    if (!c.isLetter()) continue;
    if (c.script() == QChar::Script_Cyrillic) {
      ++count->cyrillic;
    } else if (c.script() == QChar::Script_Latin) {
      ++count->latin;
    }
  }
}

std::variant<FieldChoice, std::string> ChooseFields(const ChoiceRequest& request) {
  if (request.fields.size() < 2) {
    return "has " + std::to_string(request.fields.size()) + " " + request.noun +
           (request.fields.size() == 1 ? "" : "s") + "; it needs one English and one Russian";
  }
  std::optional<size_t> chosen[2];
  std::string reason[2];
  const std::optional<std::string>* overrides[2] = {&request.english_override,
                                                    &request.russian_override};
  const std::string* options[2] = {&request.english_option, &request.russian_option};
  for (int side = 0; side < 2; ++side) {
    if (!*overrides[side]) continue;
    auto resolved = Resolve(request, **overrides[side], *options[side]);
    if (auto* message = std::get_if<std::string>(&resolved)) return *message;
    chosen[side] = std::get<size_t>(resolved);
    reason[side] = "chosen with " + *options[side];
  }
  // Names that say the language, when exactly one field says it.
  for (int side = 0; side < 2; ++side) {
    if (chosen[side]) continue;
    std::optional<size_t> match;
    int matches = 0;
    for (size_t i = 0; i < request.fields.size(); ++i) {
      if (SideOfName(request.fields[i].name) == static_cast<Side>(side) && chosen[1 - side] != i) {
        match = i;
        ++matches;
      }
    }
    if (matches == 1) {
      chosen[side] = match;
      reason[side] = "by its name";
    }
  }
  // Script, Russian first: Cyrillic marks Russian more surely than Latin
  // marks English.
  for (const Side side : {Side::kRussian, Side::kEnglish}) {
    const int s = static_cast<int>(side);
    if (chosen[s]) continue;
    auto picked = ByScript(request, side, chosen[1 - s]);
    if (auto* message = std::get_if<std::string>(&picked)) return *message;
    chosen[s] = std::get<size_t>(picked);
    reason[s] = side == Side::kRussian ? "mostly Cyrillic letters" : "mostly Latin letters";
    if (request.fields.size() == 2 && chosen[1 - s]) {
      const ScriptCount& c = request.fields[*chosen[s]].letters;
      if (!Mostly(side == Side::kRussian ? c.cyrillic : c.latin, c)) reason[s] = "the other one";
    }
  }
  if (*chosen[0] == *chosen[1]) {
    return Label(request, *chosen[0]) + " cannot be both English and Russian";
  }
  FieldChoice choice;
  choice.english = *chosen[0];
  choice.russian = *chosen[1];
  choice.english_reason = reason[0];
  choice.russian_reason = reason[1];
  choice.why = "English = " + Label(request, choice.english) + " (" + reason[0] +
               "), Russian = " + Label(request, choice.russian) + " (" + reason[1] + ")";
  return choice;
}

}  // namespace vorelka::tools
