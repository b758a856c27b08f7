#include "tools/tsv_text.h"

namespace vorelka::tools {

void AppendTsvField(const std::optional<std::string>& text, std::string* out) {
  if (!text) {
    out->append("\\N");
    return;
  }
  for (char c : *text) {
    switch (c) {
      case '\\':
        out->append("\\\\");
        break;
      case '\t':
        out->append("\\t");
        break;
      case '\n':
        out->append("\\n");
        break;
      case '\r':
        out->append("\\r");
        break;
      default:
        out->push_back(c);
    }
  }
}

}  // namespace vorelka::tools
