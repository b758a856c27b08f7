// The store's engine backed by the Jet reader.
#include "jet/read/dao.h"
#include "store/engine.h"

namespace vorelka::store {
namespace {

class JetEngine final : public Engine {
 public:
  std::unique_ptr<jet::Database> OpenDatabase(const std::string& path) override {
    return engine_.OpenDatabase(path);
  }

 private:
  jet::DBEngine engine_;
};

}  // namespace

std::unique_ptr<Engine> MakeJetEngine() {
  return std::make_unique<JetEngine>();
}

}  // namespace vorelka::store
