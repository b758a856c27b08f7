// Every row of a table, read by libmdb (mdbtools), the tests' second reader
// of Jet files, and by our engine, as text: the differential tests hold the
// two to the same answer, value by value.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vorelka::testing {

struct TableText {
  std::vector<std::string> columns;
  std::vector<std::vector<std::optional<std::string>>> rows;  // nullopt: Null
};

// Yes/No reads as "1" or "0"; OLE and attachment columns are left out.
TableText TableByLibmdb(const std::string& path, const std::string& table);
TableText TableByEngine(const std::string& path, const std::string& table);

// Holds the two readers to the same columns and rows of `table`.
void ExpectSameRows(const std::filesystem::path& file, const std::string& table);

// The user tables of a file, as libmdb's catalog lists them.
std::vector<std::string> UserTablesByLibmdb(const std::string& path);

}  // namespace vorelka::testing
