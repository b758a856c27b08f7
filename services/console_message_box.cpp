#include <cstdio>

#include "services/app_facts.h"
#include "services/message_box.h"

namespace vorelka::services {

void ConsoleMessageBox::Show(std::string_view text, MessageStyle /*style*/) {
  std::fprintf(stderr, "%s: %.*s\n", kAppTitle, static_cast<int>(text.size()), text.data());
}

}  // namespace vorelka::services
