// The database engine as the word store sees it: something that opens a
// database file by path. The store creates its engine once, through an
// EngineFactory, and keeps it; databases and recordsets live inside one call.
// The real engine reads Jet files itself; tests hand the store a
// recording engine instead, to pin exactly what the store asks of it.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "jet/read/dao.h"

namespace vorelka::store {

class Engine {
 public:
  virtual ~Engine() = default;
  // Opens the file with the engine's default options; raises on failure.
  virtual std::unique_ptr<jet::Database> OpenDatabase(const std::string& path) = 0;
};

using EngineFactory = std::function<std::unique_ptr<Engine>()>;

// The Jet engine.
std::unique_ptr<Engine> MakeJetEngine();

}  // namespace vorelka::store
