// The SELECT statements the engine answers: the two forms the word store
// sends.
//
//   SELECT Count(*) AS <alias> FROM <table>
//   SELECT <column> AS <alias> FROM <table> WHERE <column> = <integer>
//
// Keywords and names are matched without regard to case; a name may be
// written in [brackets]; the integer may carry a leading "-" and must fit in
// 32 bits. Anything else is raised as one of the engine's syntax errors.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorelka::jet {

struct Query {
  enum class Kind { kCountRows, kColumnWhereEquals };

  Kind kind = Kind::kCountRows;
  std::string alias;  // the one result column's name
  std::string table;
  std::string column;        // kColumnWhereEquals: the column returned
  std::string where_column;  // kColumnWhereEquals: the column compared
  int32_t where_value = 0;   // kColumnWhereEquals: the value it must equal
};

// Raises kErrInvalidSqlStatement, kErrSelectSyntax, kErrFromClauseSyntax,
// kErrQueryExpressionSyntax or kErrNumericOverflow for text it cannot take.
Query ParseQuery(std::string_view sql);

// Jet's comparison of object names: without regard to case.
bool SameName(std::string_view a, std::string_view b);

}  // namespace vorelka::jet
