#include "resources/program_icon.h"

namespace vorelka::resources {

QIcon ProgramIcon() {
  QIcon icon;
  icon.addFile(QString::fromLatin1(kProgramIcon32));
  icon.addFile(QString::fromLatin1(kProgramIcon16));
  return icon;
}

}  // namespace vorelka::resources
