#include "tools/tsv_text.h"

#include "tools/delimited_fields.h"

namespace vorelka::tools {

void AppendTsvField(const std::optional<std::string>& text, std::string* out) {
  if (!text) {
    out->append(kTsvNull);
    return;
  }
  for (char c : *text) {
    char escape = 0;
    for (const auto& [letter, meaning] : kTsvEscapes) {
      if (c == meaning) escape = letter;
    }
    if (escape != 0) {
      out->push_back('\\');
      out->push_back(escape);
    } else {
      out->push_back(c);
    }
  }
}

}  // namespace vorelka::tools
