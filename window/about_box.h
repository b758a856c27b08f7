// Help > About: the program's About box with the title, the author line,
// the version and the window's icon. On Windows it is the shell's own
// (ShellAboutA, about_box_shell_windows.cpp); elsewhere a modal dialog made
// in the same manner (about_box_show.cpp).
#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>

#include <string>

#include "services/app_facts.h"

class QLabel;
class QPushButton;

namespace vorelka::window {

// The icon's size in the box, in pixels: the shell's large icon.
inline constexpr int kAboutIconSize = 32;

// The About box's other-stuff text: the author line, CR LF, then the
// version as major.minor.revision ("By Quorlan\r\n1.0.2").
std::string AboutOtherStuff(const services::Version& version);

// Shows the About box modal to `owner` and returns when it is closed.
// `app` is the application text, `other` the other-stuff text (UTF-8, lines
// separated by CR LF).
void ShowAbout(QWidget* owner, const QString& app, const std::string& other, const QIcon& icon);

// The dialog shown where the shell has no About box of its own: "About
// <app>" as its title, the icon at the left, the application text beside it,
// the other-stuff lines below, and OK, which Enter and Escape press.
class AboutDialog final : public QDialog {
 public:
  AboutDialog(QWidget* owner, const QString& app, const std::string& other, const QIcon& icon);

  QLabel* IconLabel() const { return icon_label_; }
  QLabel* AppLabel() const { return app_label_; }
  QLabel* OtherLabel() const { return other_label_; }
  QPushButton* OkButton() const { return ok_button_; }

 private:
  QLabel* icon_label_;
  QLabel* app_label_;
  QLabel* other_label_;
  QPushButton* ok_button_;
};

}  // namespace vorelka::window
