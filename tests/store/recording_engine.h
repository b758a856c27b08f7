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

// The steps as the log writes them; opening a database adds its path,
// opening a snapshot its query, and Fields the field's name.
inline constexpr char kCreateEngine[] = "create engine";
inline constexpr char kOpenDatabase[] = "open database";
inline constexpr char kOpenSnapshot[] = "open snapshot";
inline constexpr char kEof[] = "EOF";
inline constexpr char kFields[] = "Fields";
inline constexpr char kCloseRecordset[] = "close recordset";
inline constexpr char kCloseDatabase[] = "close database";
inline constexpr char kDropRecordset[] = "drop recordset";
inline constexpr char kDropDatabase[] = "drop database";

// What the engine raises at the failing step, as the report shows it.
inline constexpr char kScriptedReport[] = "3078 - The scripted step failed.";

struct EngineScript {
  jet::Value value;     // what Fields gives for the first row
  bool no_row = false;  // EOF is true at once
  std::string fail_at;  // the step that raises, or "" for none
};

// A factory for WordStore: every engine it makes writes to `log` and answers
// from `script`, both of which must outlive the store.
EngineFactory RecordingEngines(std::vector<std::string>& log, const EngineScript& script);

}  // namespace vorelka::store::testing
