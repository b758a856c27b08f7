#include "tests/store/recording_engine.h"

#include "services/error.h"

namespace vorelka::store::testing {
namespace {

using Log = std::vector<std::string>;

// Logs a step with its detail, then raises if the script fails there.
void Step(Log& log, const EngineScript& script, const char* step, std::string_view detail = "") {
  log.push_back(detail.empty() ? step : step + (" " + std::string(detail)));
  if (script.fail_at == step) services::Raise(3078, "The scripted step failed.");
}

// What every recording object writes to and answers from.
struct Recording {
  Log& log;
  const EngineScript& script;
};

class RecordingRecordset final : public jet::Recordset, public Recording {
 public:
  explicit RecordingRecordset(const Recording& r) : Recording(r) {}
  ~RecordingRecordset() override { log.emplace_back(kDropRecordset); }
  bool Eof() const override {
    Step(log, script, kEof);
    return script.no_row;
  }
  jet::Value Fields(std::string_view name) const override {
    Step(log, script, kFields, name);
    return script.value;
  }
  void MoveNext() override { log.emplace_back("MoveNext"); }
  void Close() override { Step(log, script, kCloseRecordset); }
};

class RecordingDatabase final : public jet::Database, public Recording {
 public:
  explicit RecordingDatabase(const Recording& r) : Recording(r) {}
  ~RecordingDatabase() override { log.emplace_back(kDropDatabase); }
  std::unique_ptr<jet::Recordset> OpenRecordset(std::string_view sql, int type) override {
    if (type != jet::kDbOpenSnapshot) log.push_back("not a snapshot: " + std::to_string(type));
    Step(log, script, kOpenSnapshot, sql);
    return std::make_unique<RecordingRecordset>(*this);
  }
  void Close() override { Step(log, script, kCloseDatabase); }
};

class RecordingEngine final : public Engine, public Recording {
 public:
  explicit RecordingEngine(const Recording& r) : Recording(r) {}
  std::unique_ptr<jet::Database> OpenDatabase(const std::string& path) override {
    Step(log, script, kOpenDatabase, path);
    return std::make_unique<RecordingDatabase>(*this);
  }
};

}  // namespace

EngineFactory RecordingEngines(Log& log, const EngineScript& script) {
  return [&log, &script]() -> std::unique_ptr<Engine> {
    Step(log, script, kCreateEngine);
    return std::make_unique<RecordingEngine>(Recording{log, script});
  };
}

}  // namespace vorelka::store::testing
