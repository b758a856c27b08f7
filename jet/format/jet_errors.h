// The error numbers the database engine raises. They are the classic Jet
// numbers, so that a report reads the same as it always has. The errors of
// the file itself are values made below, one function per kind; the rest
// are made where they are raised, naming the table or column concerned.
// Every one reaches the caller through services::Raise.
#pragma once

#include <cstdint>
#include <string>

#include "services/error.h"

namespace vorelka::jet {

// Opening a database.
inline constexpr int32_t kErrFileNotFound = 3024;        // no such file
inline constexpr int32_t kErrCannotOpenFile = 3051;      // a folder, or no permission
inline constexpr int32_t kErrUnrecognizedFormat = 3343;  // not a Jet file, truncated, corrupt

// Queries.
inline constexpr int32_t kErrInvalidSqlStatement = 3129;    // not a SELECT
inline constexpr int32_t kErrSelectSyntax = 3141;           // select list, AS, FROM
inline constexpr int32_t kErrFromClauseSyntax = 3131;       // table name and what follows it
inline constexpr int32_t kErrQueryExpressionSyntax = 3075;  // the WHERE expression
inline constexpr int32_t kErrNumericOverflow = 3349;        // a number beyond 32 bits
inline constexpr int32_t kErrTooFewParameters = 3061;       // an unknown column name
inline constexpr int32_t kErrTableNotFound = 3078;          // an unknown table name
inline constexpr int32_t kErrTypeMismatchInCriteria =
    3464;  // WHERE on a column that holds no integer

// Objects.
inline constexpr int32_t kErrInvalidArgument = 3001;  // e.g. a recordset type other than snapshot
inline constexpr int32_t kErrNoCurrentRecord = 3021;  // a field read at end of data
inline constexpr int32_t kErrItemNotFound = 3265;     // a field name the recordset lacks
inline constexpr int32_t kErrObjectClosed = 3420;     // a call on a closed object

// Conversions of a field's value (the runtime's own numbers).
inline constexpr int32_t kErrTypeMismatch = 13;
inline constexpr int32_t kErrInvalidUseOfNull = 94;

// The errors of opening and reading a database file. `path` is the name the
// caller gave.
services::Error FileNotFound(const std::string& path);
services::Error CannotOpenFile(const std::string& path, const std::string& why);
// Not a Jet file at all, or one whose header this engine does not know.
services::Error UnrecognizedFormat(const std::string& path, const std::string& why);
// A Jet file whose structures contradict each other or the format.
services::Error DamagedFile(const std::string& path, const std::string& why);

}  // namespace vorelka::jet
