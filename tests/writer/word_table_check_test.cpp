// The findings of `check` on tables the writer cannot produce (repeated and
// Null keys), straight on the checker.
#include <gtest/gtest.h>

#include "tools/word_table_check.h"

namespace vorelka::tools {
namespace {

TEST(WordTableCheck, ReportsRepeatedAndNullKeys) {
  WordTable table;
  table.rows = {{1, "a", "б"}, {1, "c", "д"}, {std::nullopt, "e", "ж"}};
  EXPECT_EQ(FindDrillProblems(table),
            (std::vector<std::string>{"1 row(s) without an Id (Null)", "duplicate keys: 1 (2 rows)",
                                      "keys missing from 1..3: 2, 3"}));
}

TEST(WordTableCheck, ListsAtMostTwentyItemsPerFinding) {
  WordTable table;
  for (int i = 1; i <= 30; ++i) table.rows.push_back({i + 100, "a", "б"});
  const auto findings = FindDrillProblems(table);
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(findings[0],
            "keys outside 1..30: 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, "
            "114, 115, 116, 117, 118, 119, 120 and 10 more");
}

}  // namespace
}  // namespace vorelka::tools
