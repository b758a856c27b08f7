// Where the shell has no About box of its own, the program shows its own.
#include "window/about_box.h"

namespace vorelka::window {

void ShowAbout(QWidget* owner, const QString& app, const std::string& other, const QIcon& icon) {
  AboutDialog dialog(owner, app, other, icon);
  dialog.exec();
}

}  // namespace vorelka::window
