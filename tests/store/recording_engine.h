// A database engine that records what the word store asks of it, in order,
// and answers from a script: the row's value, no row at all, or an error
// raised at one named step.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/read/dao.h"
#include "store/engine.h"

namespace vorelka::store::testing {

// The steps, as they appear in the log.
inline constexpr char kCreateEngine[] = "create engine";
inline constexpr char kOpenDatabase[] = "open database";
inline constexpr char kOpenRecordset[] = "open recordset";
inline constexpr char kEof[] = "EOF";
inline constexpr char kFields[] = "Fields";
inline constexpr char kCloseRecordset[] = "close recordset";
inline constexpr char kCloseDatabase[] = "close database";
inline constexpr char kDropRecordset[] = "drop recordset";
inline constexpr char kDropDatabase[] = "drop database";

// The number and text the engine raises at the failing step.
inline constexpr int32_t kScriptedError = 3078;
inline constexpr char kScriptedDescription[] = "The scripted step failed.";

struct EngineScript {
  jet::Value value;       // what Fields gives for the first row
  bool no_row = false;    // EOF is true at once
  std::string fail_at;    // the step that raises, or "" for none
};

struct EngineLog {
  std::vector<std::string> steps;
  std::vector<std::string> paths;   // each path OpenDatabase was given
  std::vector<std::string> queries; // each query text OpenRecordset was given
  std::vector<int> types;           // and its recordset type
  std::vector<std::string> fields;  // each field name asked for
  int engines_created = 0;
};

// A factory for WordStore: every engine it makes writes to `log` and answers
// from `script`, both of which must outlive the store.
EngineFactory RecordingEngines(EngineLog& log, const EngineScript& script);

}  // namespace vorelka::store::testing
