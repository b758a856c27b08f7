#include <gtest/gtest.h>

#include "jet/format/jet_errors.h"
#include "jet/read/query.h"
#include "services/error.h"

namespace vorelka::jet {
namespace {

// The parsed query on one line: kind, column, alias, table, where column and value.
std::string Parsed(const std::string& sql) {
  try {
    const Query q = ParseQuery(sql);
    const char* kind = q.kind == Query::Kind::kCountRows ? "count" : "lookup";
    return std::string(kind) + "|" + q.column + "|" + q.alias + "|" + q.table + "|" +
           q.where_column + "|" + std::to_string(q.where_value);
  } catch (const services::ErrorRaised& raised) {
    return "error " + std::to_string(raised.error().number);
  }
}

TEST(ParseQuery, TakesBothFormsInAnyCaseSpacingOrBrackets) {
  const std::pair<const char*, const char*> cases[] = {
      {"SELECT Count(*) AS Cnt FROM Words", "count||Cnt|Words||0"},
      {"select COUNT ( * ) as Cnt\nfrom words;", "count||Cnt|words||0"},
      {"SELECT English AS sWord FROM Words WHERE Id = 17", "lookup|English|sWord|Words|Id|17"},
      {"  sElEcT Russian\tAs sWord FrOm Words wHeRe Id=-3 ", "lookup|Russian|sWord|Words|Id|-3"},
      {"SELECT [English word] AS [s Word] FROM [Words] WHERE [Id] = 0",
       "lookup|English word|s Word|Words|Id|0"},
  };
  for (const auto& [sql, parsed] : cases) EXPECT_EQ(Parsed(sql), parsed) << sql;
}

TEST(ParseQuery, RejectsEachFaultWithTheErrorOfTheClauseItIsIn) {
  const std::string lookup = "SELECT English AS sWord FROM Words WHERE ";
  const std::pair<std::string, int32_t> cases[] = {
      {"DELETE FROM Words", kErrInvalidSqlStatement},
      {"SELECT English FROM Words WHERE Id = 1", kErrSelectSyntax},
      {"SELECT English AS FROM Words WHERE Id = 1", kErrSelectSyntax},
      {"SELECT Count(Id) AS Cnt FROM Words", kErrSelectSyntax},
      {"SELECT * AS x FROM Words", kErrSelectSyntax},
      {"SELECT Count(*) AS Cnt", kErrSelectSyntax},
      {"SELECT Count(*) AS Cnt FROM", kErrFromClauseSyntax},
      {"SELECT Count(*) AS Cnt FROM Words, Other", kErrFromClauseSyntax},
      {"SELECT English AS sWord FROM Words", kErrFromClauseSyntax},
      {"SELECT English AS sWord FROM [Words WHERE Id = 1", kErrFromClauseSyntax},
      {lookup + "Id =", kErrQueryExpressionSyntax},
      {lookup + "Id = 1 OR 1 = 1", kErrQueryExpressionSyntax},
      {lookup + "Id = 17a", kErrQueryExpressionSyntax},
      {lookup + "Id > 3", kErrQueryExpressionSyntax},
      {lookup + "= 3", kErrQueryExpressionSyntax},
      {lookup + "Id = 2147483648", kErrNumericOverflow},
      {lookup + "Id = -2147483649", kErrNumericOverflow},
      {lookup + "Id = 99999999999999999999999", kErrNumericOverflow},
  };
  for (const auto& [sql, error] : cases)
    EXPECT_EQ(Parsed(sql), "error " + std::to_string(error)) << sql;
}

TEST(SameName, ComparesNamesWithoutRegardToCaseInAnyAlphabet) {
  EXPECT_TRUE(SameName("sWord", "SWORD"));
  EXPECT_TRUE(SameName("Слова", "СЛОВА"));
  EXPECT_FALSE(SameName("Words", "Word"));
}

}  // namespace
}  // namespace vorelka::jet
