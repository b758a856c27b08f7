// The one form in which every reader of `vorelka-words build` reports a
// fault in its source: the word-list reader, the importers, and the source
// detection.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace vorelka::tools {

struct SourceError {
  std::string file{};     // the source as the user named it; set by whoever knows it
  int64_t line = 0;       // 1-based line of a text source, 0 when not on a line
  std::string place{};    // "entry 3", "note 5 (id …)", "note type \"Basic\"", or empty
  std::string message{};  // reads after the place: "has 3 fields; the header has 2"
};

// A fault on `line` (0: on no line) of a source the caller names.
inline SourceError FaultOnLine(int64_t line, std::string message) {
  return SourceError{.line = line, .message = std::move(message)};
}

// "file:line: place: message", leaving out the parts that are not known.
std::string FormatSourceError(const SourceError& error);

}  // namespace vorelka::tools
