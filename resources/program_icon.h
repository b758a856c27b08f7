// The program icon (32 x 32 and 16 x 16, standard 16-colour palette) from the
// program's compiled-in resources: the window's icon, and through it the
// About box's.
#pragma once

#include <QIcon>

namespace vorelka::resources {

inline constexpr char kProgramIcon32[] = ":/vorelka/vorelka-32.xpm";
inline constexpr char kProgramIcon16[] = ":/vorelka/vorelka-16.xpm";

QIcon ProgramIcon();

}  // namespace vorelka::resources
