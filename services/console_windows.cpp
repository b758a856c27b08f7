#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "services/console.h"

namespace vorelka::services {

// The console shows UTF-8, and the C library passes "\n" through instead of
// writing "\r\n", so that a redirected listing matches Linux's byte for byte.
void UseUtf8Console() {
  SetConsoleOutputCP(CP_UTF8);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace vorelka::services
