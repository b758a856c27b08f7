#include "services/console.h"

namespace vorelka::services {

// Terminals and files here take bytes as they are.
void UseUtf8Console() {}

}  // namespace vorelka::services
