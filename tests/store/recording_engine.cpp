#include "tests/store/recording_engine.h"

#include "services/error.h"

namespace vorelka::store::testing {
namespace {

// Logs a step, then raises if the script fails there.
void Step(EngineLog& log, const EngineScript& script, const char* step) {
  log.steps.emplace_back(step);
  if (script.fail_at == step) services::Raise(kScriptedError, kScriptedDescription);
}

class RecordingRecordset final : public jet::Recordset {
 public:
  RecordingRecordset(EngineLog& log, const EngineScript& script) : log_(log), script_(script) {}
  ~RecordingRecordset() override { log_.steps.emplace_back(kDropRecordset); }

  bool Eof() const override {
    Step(log_, script_, kEof);
    return script_.no_row;
  }
  jet::Value Fields(std::string_view name) const override {
    log_.fields.emplace_back(name);
    Step(log_, script_, kFields);
    return script_.value;
  }
  void MoveNext() override { log_.steps.emplace_back("MoveNext"); }
  void Close() override { Step(log_, script_, kCloseRecordset); }

 private:
  EngineLog& log_;
  const EngineScript& script_;
};

class RecordingDatabase final : public jet::Database {
 public:
  RecordingDatabase(EngineLog& log, const EngineScript& script) : log_(log), script_(script) {}
  ~RecordingDatabase() override { log_.steps.emplace_back(kDropDatabase); }

  std::unique_ptr<jet::Recordset> OpenRecordset(std::string_view sql, int type) override {
    log_.queries.emplace_back(sql);
    log_.types.push_back(type);
    Step(log_, script_, kOpenRecordset);
    return std::make_unique<RecordingRecordset>(log_, script_);
  }
  void Close() override { Step(log_, script_, kCloseDatabase); }

 private:
  EngineLog& log_;
  const EngineScript& script_;
};

class RecordingEngine final : public Engine {
 public:
  RecordingEngine(EngineLog& log, const EngineScript& script) : log_(log), script_(script) {}

  std::unique_ptr<jet::Database> OpenDatabase(const std::string& path) override {
    log_.paths.push_back(path);
    Step(log_, script_, kOpenDatabase);
    return std::make_unique<RecordingDatabase>(log_, script_);
  }

 private:
  EngineLog& log_;
  const EngineScript& script_;
};

}  // namespace

EngineFactory RecordingEngines(EngineLog& log, const EngineScript& script) {
  return [&log, &script]() -> std::unique_ptr<Engine> {
    ++log.engines_created;
    Step(log, script, kCreateEngine);
    return std::make_unique<RecordingEngine>(log, script);
  };
}

}  // namespace vorelka::store::testing
