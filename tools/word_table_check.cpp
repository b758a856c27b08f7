#include "tools/word_table_check.h"

#include <algorithm>
#include <map>

namespace vorelka::tools {
namespace {

bool IsBlank(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
  });
}

// Adds "<what>: a, b, c ... and N more" when `items` is not empty.
void Report(const std::string& what, const std::vector<std::string>& items,
            std::vector<std::string>* findings) {
  if (items.empty()) return;
  std::string line = what + ": ";
  for (size_t i = 0; i < items.size() && i < kMaxListedPerFinding; ++i) {
    if (i > 0) line += ", ";
    line += items[i];
  }
  if (items.size() > kMaxListedPerFinding) {
    line += " and " + std::to_string(items.size() - kMaxListedPerFinding) + " more";
  }
  findings->push_back(line);
}

void CheckWord(const std::optional<int32_t>& id, const std::optional<std::string>& word,
               std::vector<std::string>* nulls, std::vector<std::string>* blanks) {
  const std::string key = id ? std::to_string(*id) : "Null";
  if (!word) {
    nulls->push_back(key);
  } else if (IsBlank(*word)) {
    blanks->push_back(key);
  }
}

}  // namespace

std::vector<std::string> FindDrillProblems(const WordTable& table) {
  std::vector<std::string> findings;
  const int64_t count = static_cast<int64_t>(table.rows.size());
  if (count == 0) {
    findings.push_back("the table is empty: the drill has no word to show");
    return findings;
  }
  std::map<int64_t, int> seen;
  int null_ids = 0;
  std::vector<std::string> null_english, blank_english, null_russian, blank_russian;
  for (const StoredWord& row : table.rows) {
    if (row.id) {
      ++seen[*row.id];
    } else {
      ++null_ids;
    }
    CheckWord(row.id, row.english, &null_english, &blank_english);
    CheckWord(row.id, row.russian, &null_russian, &blank_russian);
  }
  std::vector<std::string> duplicates, outside, missing;
  for (const auto& [id, times] : seen) {
    if (times > 1)
      duplicates.push_back(std::to_string(id) + " (" + std::to_string(times) + " rows)");
    if (id < 1 || id > count) outside.push_back(std::to_string(id));
  }
  for (int64_t id = 1; id <= count; ++id) {
    if (!seen.count(id)) missing.push_back(std::to_string(id));
  }
  if (null_ids > 0) {
    findings.push_back(std::to_string(null_ids) + " row(s) without an Id (Null)");
  }
  Report("duplicate keys", duplicates, &findings);
  Report("keys outside 1.." + std::to_string(count), outside, &findings);
  Report("keys missing from 1.." + std::to_string(count), missing, &findings);
  Report("English is Null for keys", null_english, &findings);
  Report("English is blank for keys", blank_english, &findings);
  Report("Russian is Null for keys", null_russian, &findings);
  Report("Russian is blank for keys", blank_russian, &findings);
  return findings;
}

}  // namespace vorelka::tools
