// The file guard: checks what libmdb 1.0 reads from a Jet file without
// checking it, just before libmdb reads it, so that a damaged file gives
// the engine's "unrecognized database format" error (kErrUnrecognizedFormat,
// naming the file) instead of a crash, a hang or a wrong answer.
//
// libmdb trusts page numbers, row offsets, lengths and counts as it finds
// them: a usage map of no bytes, a row table pointing past its page, a
// memo chain that loops, a property record of length 0 all take it outside
// its buffers or round a loop for ever. The guard reads the same pages
// (with its own read-only descriptor) and holds each structure to what the
// format allows before the reader hands the page to libmdb:
//
//   CheckCatalog    before mdb_read_catalog: the catalog's definition, every
//                   row libmdb will fetch from it, and their property blocks;
//   CheckTable      before mdb_read_table / mdb_read_columns /
//                   mdb_read_indices: definition pages, counts, columns,
//                   names, index entries, both usage maps;
//   CheckDataPage   before the rows of a data page are found and cracked;
//   CheckRowOf      before one row is cracked (rows reached by pointer).
//
// Every page number is held against the file's page count, and every walk
// (definition pages, usage maps, memo and OLE chains) remembers where it
// has been, so no loop can run for ever. Nothing is written, locked or
// mapped.
//
// This class is the one entry point; the checks themselves are arranged by
// the structure they check, each calling only those below it:
//
//   table_definition  the definition pages, counts, columns, names, indexes
//   usage_map         the table's usage maps and the pages they name
//   row               a row's column count, null mask and value offsets
//   properties        the property blocks of catalog rows
//   long_value        memo and OLE values and their chains of rows
//   data_page         a data page's row table; finding a row by pointer
//   page_source       reading and decoding pages; the header page
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vorelka::jet {

namespace guard {
class PageSource;
struct TableLayout;
}  // namespace guard

class FileGuard {
 public:
  // Reads the file at `open_path`; `shown_path` names it in error texts.
  // Raises kErrUnrecognizedFormat for a header page libmdb would misread.
  FileGuard(const std::string& open_path, std::string shown_path);
  // The same over bytes in memory.
  FileGuard(std::vector<uint8_t> bytes, std::string shown_path);
  ~FileGuard();
  FileGuard(const FileGuard&) = delete;
  FileGuard& operator=(const FileGuard&) = delete;

  void CheckCatalog();
  void CheckTable(uint32_t definition_page);
  // Pages that are not data pages of the table are left alone: libmdb's
  // callers skip them.
  void CheckDataPage(uint32_t definition_page, uint32_t page);
  void CheckRowOf(uint32_t definition_page, uint32_t page, uint32_t row);
  // Every data page the table's usage map names: what a full scan reads.
  void CheckAllRows(uint32_t definition_page);

  // Raises unless `fd` (libmdb's descriptor) is the file that was checked,
  // unchanged since.
  void CheckSameFile(int fd) const;

 private:
  const guard::TableLayout& Table(uint32_t definition_page);

  std::unique_ptr<guard::PageSource> source_;
  std::map<uint32_t, std::unique_ptr<guard::TableLayout>> tables_;
  std::map<std::pair<uint32_t, uint32_t>, bool> checked_pages_;  // -> holds rows of the table
};

}  // namespace vorelka::jet
