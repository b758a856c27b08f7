#include <gtest/gtest.h>

#include "jet/jet_errors.h"
#include "jet/query.h"
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

TEST(ParseQuery, RejectsWhatIsNoSelectAsAnInvalidStatement) {
  EXPECT_EQ(ErrorNumberOf(""), kErrInvalidSqlStatement);
  EXPECT_EQ(ErrorNumberOf("DELETE FROM Words"), kErrInvalidSqlStatement);
  EXPECT_EQ(ErrorNumberOf("UPDATE Words SET English = 'x'"), kErrInvalidSqlStatement);
}

TEST(ParseQuery, RejectsAFaultySelectList) {
  EXPECT_EQ(ErrorNumberOf("SELECT English FROM Words WHERE Id = 1"), kErrSelectSyntax);
  EXPECT_EQ(ErrorNumberOf("SELECT English AS FROM Words WHERE Id = 1"), kErrSelectSyntax);
  EXPECT_EQ(ErrorNumberOf("SELECT Count(Id) AS Cnt FROM Words"), kErrSelectSyntax);
  EXPECT_EQ(ErrorNumberOf("SELECT * AS x FROM Words"), kErrSelectSyntax);
  EXPECT_EQ(ErrorNumberOf("SELECT English, Russian AS sWord FROM Words WHERE Id = 1"),
            kErrSelectSyntax);
  EXPECT_EQ(ErrorNumberOf("SELECT Count(*) AS Cnt"), kErrSelectSyntax);
}

TEST(ParseQuery, RejectsAFaultyFromClause) {
  EXPECT_EQ(ErrorNumberOf("SELECT Count(*) AS Cnt FROM"), kErrFromClauseSyntax);
  EXPECT_EQ(ErrorNumberOf("SELECT Count(*) AS Cnt FROM Words, Other"), kErrFromClauseSyntax);
  EXPECT_EQ(ErrorNumberOf("SELECT Count(*) AS Cnt FROM Words WHERE Id = 1"), kErrFromClauseSyntax);
  EXPECT_EQ(ErrorNumberOf("SELECT English AS sWord FROM Words"), kErrFromClauseSyntax);
  EXPECT_EQ(ErrorNumberOf("SELECT English AS sWord FROM [Words WHERE Id = 1"),
            kErrFromClauseSyntax);
}

TEST(ParseQuery, RejectsAFaultyCondition) {
  for (const char* condition : {"Id =", "Id = abc", "Id = 1 OR 1 = 1", "Id = 1.5", "Id = 17a",
                                "Id = '17'", "Id > 3", "= 3", "Id = --3"}) {
    EXPECT_EQ(ErrorNumberOf(std::string("SELECT English AS sWord FROM Words WHERE ") + condition),
              kErrQueryExpressionSyntax)
        << condition;
  }
}

TEST(ParseQuery, RejectsKeysBeyondThirtyTwoBits) {
  EXPECT_EQ(ErrorNumberOf("SELECT English AS sWord FROM Words WHERE Id = 2147483648"),
            kErrNumericOverflow);
  EXPECT_EQ(ErrorNumberOf("SELECT English AS sWord FROM Words WHERE Id = -2147483649"),
            kErrNumericOverflow);
  EXPECT_EQ(ErrorNumberOf("SELECT English AS sWord FROM Words WHERE Id = 99999999999999999999999"),
            kErrNumericOverflow);
}

TEST(SameName, ComparesNamesWithoutRegardToCaseInAnyAlphabet) {
  EXPECT_TRUE(SameName("Words", "WORDS"));
  EXPECT_TRUE(SameName("sWord", "sword"));
  EXPECT_TRUE(SameName("Слова", "СЛОВА"));
  EXPECT_FALSE(SameName("Words", "Word"));
}

}  // namespace
}  // namespace vorelka::jet
