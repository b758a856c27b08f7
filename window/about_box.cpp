#include "window/about_box.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#ifdef _WIN32
// windows.h first: shellapi.h builds on its types.
#define NOMINMAX
#include <windows.h>

#include <shellapi.h>
#endif

namespace vorelka::window {
namespace {

constexpr char kAuthorLine[] = "By Quorlan";
constexpr char kLineBreak[] = "\r\n";
constexpr int kIconSize = 32;           // px, the shell's large icon
constexpr int kIconTextSpacing = 16;    // px between the icon and the texts
constexpr int kMinimumTextWidth = 240;  // px, so that a short title still makes a box

#ifdef _WIN32
// Unicode to the ANSI code page, as ShellAboutA takes its texts.
std::string ToAnsi(const std::wstring& wide) {
  const int length = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string ansi(length > 0 ? length : 1, '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi.data(), length, nullptr, nullptr);
  return ansi;
}
#endif

}  // namespace

std::string AboutOtherStuff(const services::Version& version) {
  return std::string(kAuthorLine) + kLineBreak + services::FormatVersion(version);
}

AboutDialog::AboutDialog(QWidget* owner, const QString& app, const std::string& other,
                         const QIcon& icon)
    : QDialog(owner),
      icon_label_(new QLabel(this)),
      app_label_(new QLabel(app, this)),
      other_label_(new QLabel(
          QString::fromStdString(other).replace(QLatin1String(kLineBreak), QLatin1String("\n")),
          this)),
      ok_button_(new QPushButton(tr("OK"), this)) {
  setWindowTitle(tr("About %1").arg(app));
  setWindowIcon(icon);
  setModal(true);

  icon_label_->setPixmap(icon.pixmap(kIconSize, kIconSize));
  icon_label_->setFixedSize(kIconSize, kIconSize);
  icon_label_->setAccessibleName(tr("%1 icon").arg(app));
  app_label_->setTextFormat(Qt::PlainText);
  other_label_->setTextFormat(Qt::PlainText);

  // Enter presses the default button; Escape rejects the dialog, which for
  // a box without a choice is the same as pressing OK.
  ok_button_->setDefault(true);
  connect(ok_button_, &QPushButton::clicked, this, &QDialog::accept);

  app_label_->setMinimumWidth(kMinimumTextWidth);
  auto* texts = new QVBoxLayout;
  texts->addWidget(app_label_);
  texts->addWidget(other_label_);
  texts->addStretch();

  auto* top = new QHBoxLayout;
  top->addWidget(icon_label_, 0, Qt::AlignTop);
  top->addSpacing(kIconTextSpacing);
  top->addLayout(texts, 1);

  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_button_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(rule);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ShowAbout(QWidget* owner, const QString& app, const std::string& other, const QIcon& icon) {
#ifdef _WIN32
  const std::string app_ansi = ToAnsi(app.toStdWString());
  const std::string other_ansi = ToAnsi(QString::fromStdString(other).toStdWString());
  const HWND owner_window = owner ? reinterpret_cast<HWND>(owner->winId()) : nullptr;
  const HICON icon_handle = icon.pixmap(kIconSize, kIconSize).toImage().toHICON();
  ShellAboutA(owner_window, app_ansi.c_str(), other_ansi.c_str(), icon_handle);
  DestroyIcon(icon_handle);
#else
  AboutDialog dialog(owner, app, other, icon);
  dialog.exec();
#endif
}

}  // namespace vorelka::window
