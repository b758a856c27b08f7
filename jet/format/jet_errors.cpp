#include "jet/format/jet_errors.h"

namespace vorelka::jet {

services::Error FileNotFound(const std::string& path) {
  return {kErrFileNotFound, "Could not find file '" + path + "'."};
}

services::Error CannotOpenFile(const std::string& path, const std::string& why) {
  return {kErrCannotOpenFile, "Cannot open the file '" + path + "': " + why + "."};
}

services::Error UnrecognizedFormat(const std::string& path, const std::string& why) {
  return {kErrUnrecognizedFormat, "Unrecognized database format '" + path + "': " + why + "."};
}

services::Error DamagedFile(const std::string& path, const std::string& why) {
  return UnrecognizedFormat(path, "the file is damaged (" + why + ")");
}

}  // namespace vorelka::jet
