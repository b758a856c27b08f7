#include <windows.h>

#include <string>

#include "services/app_facts.h"
#include "services/error.h"
#include "services/windows_text.h"

namespace vorelka::services {

// The module's own file name, in full and in wide characters, so that a
// folder named in any script is found. The current folder is never asked:
// a words.mdb there is not the program's.
std::string ProcessAppFacts::Folder() const {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      Raise(kErrPathNotFound, "Path not found: the program's folder cannot be found (" +
                                  SystemMessage(GetLastError()) + ").");
    }
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // cut short: ask again with more room
  }
  return FolderOfExecutable(Utf8FromWide(path));
}

}  // namespace vorelka::services
