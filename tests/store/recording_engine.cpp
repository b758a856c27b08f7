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

class RecordingRecordset final : public jet::Recordset {
 public:
  RecordingRecordset(Log& log, const EngineScript& script) : log_(log), script_(script) {}
  ~RecordingRecordset() override { log_.emplace_back(kDropRecordset); }
  bool Eof() const override {
    Step(log_, script_, kEof);
    return script_.no_row;
  }
  jet::Value Fields(std::string_view name) const override {
    Step(log_, script_, kFields, name);
    return script_.value;
  }
  void MoveNext() override { log_.emplace_back("MoveNext"); }
  void Close() override { Step(log_, script_, kCloseRecordset); }

 private:
  Log& log_;
  const EngineScript& script_;
};

class RecordingDatabase final : public jet::Database {
 public:
  RecordingDatabase(Log& log, const EngineScript& script) : log_(log), script_(script) {}
  ~RecordingDatabase() override { log_.emplace_back(kDropDatabase); }
  std::unique_ptr<jet::Recordset> OpenRecordset(std::string_view sql, int type) override {
    if (type != jet::kDbOpenSnapshot) log_.push_back("not a snapshot: " + std::to_string(type));
    Step(log_, script_, kOpenSnapshot, sql);
    return std::make_unique<RecordingRecordset>(log_, script_);
  }
  void Close() override { Step(log_, script_, kCloseDatabase); }

 private:
  Log& log_;
  const EngineScript& script_;
};

class RecordingEngine final : public Engine {
 public:
  RecordingEngine(Log& log, const EngineScript& script) : log_(log), script_(script) {}
  std::unique_ptr<jet::Database> OpenDatabase(const std::string& path) override {
    Step(log_, script_, kOpenDatabase, path);
    return std::make_unique<RecordingDatabase>(log_, script_);
  }

 private:
  Log& log_;
  const EngineScript& script_;
};

}  // namespace

EngineFactory RecordingEngines(Log& log, const EngineScript& script) {
  return [&log, &script]() -> std::unique_ptr<Engine> {
    Step(log, script, kCreateEngine);
    return std::make_unique<RecordingEngine>(log, script);
  };
}

}  // namespace vorelka::store::testing
