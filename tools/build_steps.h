// The two ways `vorelka-words build` turns a source into a word database:
// our own word lists (TSV/CSV with a header; Ids and Nulls kept, rows
// streamed into the writer), and everything the importers read (pairs keyed
// 1..N in source order). With dry_run set, both print what they would write
// and write nothing.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "jet/write/words_table_builder.h"
#include "tools/import/imported_words.h"
#include "tools/import/source_reader.h"

namespace vorelka::tools {

struct BuildRequest {
  QString command;     // "vorelka-words build", for messages
  std::string source;  // the source file as given
  std::string target;  // the database to write (empty with dry_run)
  jet::JetFormat format = jet::JetFormat::kJet4;
  bool dry_run = false;
  ImportOptions options;
};

// Each returns the exit code, having printed any message.
int BuildFromWordList(const BuildRequest& request, std::string_view bytes);
int BuildFromImport(const BuildRequest& request, std::string_view bytes, SourceKind kind);

}  // namespace vorelka::tools
