#include "tools/source_error.h"

namespace vorelka::tools {

std::string FormatSourceError(const SourceError& error) {
  std::string text = error.file;
  if (error.line > 0) text += (text.empty() ? "line " : ":") + std::to_string(error.line);
  if (!text.empty()) text += ": ";
  if (!error.place.empty()) text += error.place + ": ";
  return text + error.message;
}

}  // namespace vorelka::tools
