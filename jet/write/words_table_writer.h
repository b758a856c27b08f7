// The work behind WordsTableBuilder: rows go to data pages as they come;
// Finish writes the rest in a fixed sequence of steps (see Finish) and
// renames the file into place. The file layout is described in
// words_table_builder.cpp.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "jet/format/format.h"
#include "jet/write/data_page.h"
#include "jet/write/index_writer.h"
#include "jet/write/page_file.h"
#include "jet/write/status.h"
#include "jet/write/system_tables.h"
#include "jet/write/table_definition.h"
#include "jet/write/word_row_encoder.h"
#include "jet/write/words_table_builder.h"

namespace vorelka::jet::writer {

using format::Format;

class WordsTableWriter {
 public:
  WordsTableWriter(std::filesystem::path path, JetFormat format, TableSchema schema);
  // With a format of one's own, e.g. a smaller size limit; it must outlive
  // the writer.
  WordsTableWriter(std::filesystem::path path, const Format& format, TableSchema schema);

  void Add(const WordRow& row);
  Status Finish();
  void Abandon();
  const Status& status() const { return status_; }
  uint64_t NumRows() const { return keys_.size(); }

 private:
  struct KeyRecord {
    int32_t key;
    uint32_t row_pointer;
    uint32_t add_number;  // 1-based, for messages
  };

  bool ok() const { return status_.ok(); }
  void Fail(std::string message);
  bool FlushDataPage();
  bool CheckPageLimit(uint64_t pages_in_use);
  bool WritePage(uint32_t page, const uint8_t* bytes);

  // Finish's steps, in the order it takes them.
  void WriteLastDataPage();
  void CheckDuplicateKeys();
  void WriteTableIndex();
  void BuildSystemTables();
  void WriteTableDefinition();
  void WriteSystemTable(const SystemTable& table);
  void WriteUsageMapRows();
  void WriteGlobalUsageMaps();
  void WriteHeader();
  void CommitFile();

  // Shared by the steps.
  uint32_t AddUsageMap(const std::vector<uint32_t>& pages);
  bool WriteRowsPage(const SystemTable& table);
  bool WriteDefinition(uint32_t page, const TableLayout& layout, const TableFacts& facts);

  const Format& format_;
  TableSchema schema_;
  std::filesystem::path path_;
  Status status_;
  bool finished_ = false;
  std::unique_ptr<PageFile> file_;
  DataPage page_;
  WordRowEncoder encoder_;
  uint32_t page_number_ = format::kFirstTableDataPage;
  uint32_t next_page_ = format::kFirstTableDataPage;  // after Finish's first steps
  std::vector<uint32_t> data_pages_;
  bool last_page_has_room_ = false;
  std::vector<KeyRecord> keys_;
  uint64_t add_count_ = 0;
  double date_ = 0;

  // Built by Finish.
  IndexBuild index_;
  std::vector<SystemTable> system_tables_;
  std::vector<std::pair<uint32_t, DataPage>> map_pages_;  // page number, usage-map rows
};

}  // namespace vorelka::jet::writer
