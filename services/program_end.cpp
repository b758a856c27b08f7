#include "services/program_end.h"

#include <cstdio>
#include <cstdlib>

namespace vorelka::services {

void ProcessProgramEnd::End() {
  std::fflush(nullptr);
  std::exit(EXIT_SUCCESS);
}

}  // namespace vorelka::services
