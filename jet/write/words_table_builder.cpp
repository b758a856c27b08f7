// WordsTableBuilder: writes a Jet 3 or Jet 4 database holding one table.
//
// FILE LAYOUT
//
// A Jet file is a sequence of fixed-size pages (2 KB in Jet 3, 4 KB in Jet 4);
// the first byte of each page is its type. The writer lays the file out so:
//
//   page 0   header ("database definition page", type 0x00)
//   page 1   global usage maps: a data page whose row 0 maps the free pages
//            of the file (none inside it; every page past its end) and whose
//            row 1 is an empty map, as Access keeps it
//   page 2   definition of the catalog, MSysObjects (engines look for it here)
//   page 3-5 definitions of MSysACEs, MSysQueries and MSysRelationships, the
//            other system tables (system_tables.h)
//   page 6   definition of the table (see table_definition.h)
//   page 7   usage maps, one row each: the table's owned and free-space
//            pages and its primary-key index's pages, then each system
//            table's owned and free-space pages and the pages of each of its
//            indexes (a data page owned by no table); rows that do not fit
//            go on further such pages, taken after the index pages
//   page 8   the catalog's rows (see catalog.h)
//   page 9   the rows of MSysACEs (see access_rights.h)
//   10..     the table's data pages, rows in Add order
//   then     the index pages: leaves, then each node level up to the root
//   then     one leaf page per index of a system table (system_indexes.h)
//   then     usage-map pages (type 0x05) of maps too wide to be inline, and
//            continuation pages of a table definition longer than a page, as
//            they are needed
//
// Header: "Standard Jet DB" at 4, the version at 0x14 (0 = Jet 3, 1 = Jet 4),
// then 126 (Jet 3) or 128 (Jet 4) bytes from 0x18 masked with RC4, key
// C7 DA 39 6B: the code page at 0x3C (1251 for Jet 3), the database key at
// 0x3E (0: pages are not encoded), the password at 0x42 (empty), the sort
// order (Jet 3: 2 bytes at 0x3A, Cyrillic 0x0419; Jet 4: 4 bytes at 0x6E,
// General 0x0409) and in Jet 4 the creation date at 0x72. See header_page.h.
//
// Data pages and rows: see data_page.h and row_encoder.h. Usage maps: see
// usage_map.h.
//
// PRIMARY-KEY INDEX
//
// A B-tree over the key column, pages owned by the table's definition page:
//
//   offset  Jet 3 / Jet 4
//   0       type: 0x04 leaf, 0x03 node; then 0x01
//   2       free space(2): page size - end of the last entry
//   4       owner: the table-definition page(4)
//   -  / 8  Jet 4 only: 4 zero bytes
//   8  / 12 previous page at this level(4), 0 if none
//   12 / 16 next page at this level(4), 0 if none
//   16 / 20 tail page(4): on nodes, the last child; 0 on leaves
//   20 / 24 shared prefix length: 1 byte (Jet 3) / 2 bytes (Jet 4)
//   21 / 26 0x01 on node pages, 0x00 on leaves
//   22 / 27 entry mask, 226 / 453 bytes: bit n set where an entry ends n
//           bytes after the first entry's start (low-order bit first)
//   248/480 entries
//
// An entry is the key, then the row pointer big-endian: data page(3) and row
// number(1); node entries add the child page(4) big-endian. A Long key is the
// flag 0x7F followed by the value big-endian with its sign bit flipped, so
// entries sort bytewise as the keys do: -1 is 7F 7F FF FF FF, 1 is 7F 80 00
// 00 01. Entries on a page run in ascending order.
//
// Leaves: every leaf but the last holds as many entries as fit, stored with
// the longest key prefix its first and last entries share: the first entry is
// whole, the others leave out those prefix bytes. The last leaf, which Access
// goes on appending to, has no prefix. Leaves are linked by previous/next from
// the first to the last.
//
// Nodes: a node page has one entry per child page but its last: a copy of the
// child's last entry (key and row pointer) and the child's page number; the
// last child is named by the tail pointer alone. A node with a single child
// lists it as an entry and has no tail. Node pages carry no prefix and are
// linked by previous/next only to siblings under the same parent. Levels are
// built bottom up until one page remains: the root, named in the table
// definition (a single leaf is its own root; an empty table has one empty
// leaf).
//
// LIMITS (each gives a clear error)
//
//   file size       Jet 3: 1 GiB (524,288 pages of 2 KB); Jet 4: 2 GiB
//                   (524,288 pages of 4 KB)
//   text            255 characters per value; Jet 3 text must be code page
//                   1251, Jet 4 text UCS-2 (no characters past U+FFFF); no NUL
//   row             2,012 bytes (Jet 3) / 4,060 bytes (Jet 4) as stored
//   table           255 columns; names of 1 to 64 characters without
//                   . ! ` [ ] or control characters, not starting with a blank
//   keys            any signed 32-bit value, each at most once
//   rows per page   255 (a row pointer has one byte for the row)
#include "jet/write/words_table_builder.h"

#include "jet/write/word_row_encoder.h"
#include "jet/write/words_table_writer.h"

namespace vorelka::jet {

class WordsTableBuilder::Impl : public writer::WordsTableWriter {
 public:
  using WordsTableWriter::WordsTableWriter;
};

WordsTableBuilder::WordsTableBuilder(std::filesystem::path path, JetFormat format,
                                     TableSchema schema)
    : impl_(std::make_unique<Impl>(std::move(path), format, std::move(schema))) {}

WordsTableBuilder::~WordsTableBuilder() {
  impl_->Abandon();
}

void WordsTableBuilder::Add(const WordRow& row) {
  impl_->Add(row);
}
Status WordsTableBuilder::Finish() {
  return impl_->Finish();
}
void WordsTableBuilder::Abandon() {
  impl_->Abandon();
}
const Status& WordsTableBuilder::status() const {
  return impl_->status();
}
uint64_t WordsTableBuilder::NumRows() const {
  return impl_->NumRows();
}

class WordRowCheck::Impl {
 public:
  Impl(JetFormat format, TableSchema schema)
      : schema_(std::move(schema)), encoder_(format::FormatOf(format), schema_) {}
  writer::WordRowEncoder& encoder() { return encoder_; }

 private:
  TableSchema schema_;
  writer::WordRowEncoder encoder_;
};

WordRowCheck::WordRowCheck(JetFormat format, TableSchema schema)
    : impl_(std::make_unique<Impl>(format, std::move(schema))) {}

WordRowCheck::~WordRowCheck() = default;

std::string WordRowCheck::Problem(const WordRow& row) {
  std::string problem;
  if (impl_->encoder().Encode(row, &problem)) return "";
  return problem;
}

std::string RowName(uint64_t add_number, int32_t id) {
  return "row " + std::to_string(add_number) + " (Id " + std::to_string(id) + ")";
}

}  // namespace vorelka::jet
