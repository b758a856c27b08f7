#include <gtest/gtest.h>

#include "jet/format/jet_errors.h"
#include "jet/read/query.h"
#include "services/error.h"

namespace vorelka::jet {
namespace {

int32_t ErrorNumberOf(const std::string& sql) {
  try {
    ParseQuery(sql);
  } catch (const services::ErrorRaised& raised) {
    return raised.error().number;
  }
  return 0;
}

TEST(ParseQuery, TakesTheCountQuery) {
  const Query query = ParseQuery("SELECT Count(*) AS Cnt FROM Words");
  EXPECT_EQ(query.kind, Query::Kind::kCountRows);
  EXPECT_EQ(query.alias, "Cnt");
  EXPECT_EQ(query.table, "Words");
}

TEST(ParseQuery, TakesBothLookupQueriesWithAnyKey) {
  const Query english = ParseQuery("SELECT English AS sWord FROM Words WHERE Id = 17");
  EXPECT_EQ(english.kind, Query::Kind::kColumnWhereEquals);
  EXPECT_EQ(english.column, "English");
  EXPECT_EQ(english.alias, "sWord");
  EXPECT_EQ(english.table, "Words");
  EXPECT_EQ(english.where_column, "Id");
  EXPECT_EQ(english.where_value, 17);

  EXPECT_EQ(ParseQuery("SELECT Russian AS sWord FROM Words WHERE Id = -5").where_value, -5);
  EXPECT_EQ(ParseQuery("SELECT Russian AS sWord FROM Words WHERE Id = 0").where_value, 0);
  EXPECT_EQ(ParseQuery("SELECT Russian AS sWord FROM Words WHERE Id = 2147483647").where_value,
            2147483647);
  EXPECT_EQ(ParseQuery("SELECT Russian AS sWord FROM Words WHERE Id = -2147483648").where_value,
            -2147483647 - 1);
}

TEST(ParseQuery, IgnoresTheCaseOfKeywordsAndTheWidthOfSpaces) {
  const Query count = ParseQuery("select COUNT ( * ) as Cnt\nfrom words;");
  EXPECT_EQ(count.kind, Query::Kind::kCountRows);
  EXPECT_EQ(count.table, "words");
  const Query lookup = ParseQuery("  sElEcT English\tAs sWord FrOm Words wHeRe Id=-3 ");
  EXPECT_EQ(lookup.where_value, -3);
}

TEST(ParseQuery, TakesBracketedNames) {
  const Query query = ParseQuery("SELECT [English word] AS [s Word] FROM [Words] WHERE [Id] = 1");
  EXPECT_EQ(query.column, "English word");
  EXPECT_EQ(query.alias, "s Word");
  EXPECT_EQ(query.table, "Words");
  EXPECT_EQ(query.where_column, "Id");
}

TEST(ParseQuery, RejectsEachFaultWithTheErrorOfTheClauseItIsIn) {
  const std::string lookup = "SELECT English AS sWord FROM Words WHERE ";
  const struct {
    std::string sql;
    int32_t error;
  } cases[] = {
      {"", kErrInvalidSqlStatement},
      {"DELETE FROM Words", kErrInvalidSqlStatement},
      {"UPDATE Words SET English = 'x'", kErrInvalidSqlStatement},
      {"SELECT English FROM Words WHERE Id = 1", kErrSelectSyntax},
      {"SELECT English AS FROM Words WHERE Id = 1", kErrSelectSyntax},
      {"SELECT Count(Id) AS Cnt FROM Words", kErrSelectSyntax},
      {"SELECT * AS x FROM Words", kErrSelectSyntax},
      {"SELECT English, Russian AS sWord FROM Words WHERE Id = 1", kErrSelectSyntax},
      {"SELECT Count(*) AS Cnt", kErrSelectSyntax},
      {"SELECT Count(*) AS Cnt FROM", kErrFromClauseSyntax},
      {"SELECT Count(*) AS Cnt FROM Words, Other", kErrFromClauseSyntax},
      {"SELECT Count(*) AS Cnt FROM Words WHERE Id = 1", kErrFromClauseSyntax},
      {"SELECT English AS sWord FROM Words", kErrFromClauseSyntax},
      {"SELECT English AS sWord FROM [Words WHERE Id = 1", kErrFromClauseSyntax},
      {lookup + "Id =", kErrQueryExpressionSyntax},
      {lookup + "Id = abc", kErrQueryExpressionSyntax},
      {lookup + "Id = 1 OR 1 = 1", kErrQueryExpressionSyntax},
      {lookup + "Id = 1.5", kErrQueryExpressionSyntax},
      {lookup + "Id = 17a", kErrQueryExpressionSyntax},
      {lookup + "Id = '17'", kErrQueryExpressionSyntax},
      {lookup + "Id > 3", kErrQueryExpressionSyntax},
      {lookup + "= 3", kErrQueryExpressionSyntax},
      {lookup + "Id = --3", kErrQueryExpressionSyntax},
      {lookup + "Id = 2147483648", kErrNumericOverflow},
      {lookup + "Id = -2147483649", kErrNumericOverflow},
      {lookup + "Id = 99999999999999999999999", kErrNumericOverflow},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorNumberOf(c.sql), c.error) << c.sql;
}

TEST(SameName, ComparesNamesWithoutRegardToCaseInAnyAlphabet) {
  EXPECT_TRUE(SameName("Words", "WORDS"));
  EXPECT_TRUE(SameName("sWord", "sword"));
  EXPECT_TRUE(SameName("Слова", "СЛОВА"));
  EXPECT_FALSE(SameName("Words", "Word"));
}

}  // namespace
}  // namespace vorelka::jet
