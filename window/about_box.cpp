#include "window/about_box.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

namespace vorelka::window {
namespace {

constexpr char kAuthorLine[] = "By Quorlan";
constexpr char kLineBreak[] = "\r\n";
constexpr int kIconTextSpacing = 16;    // px between the icon and the texts
constexpr int kMinimumTextWidth = 240;  // px, so that a short title still makes a box

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

  icon_label_->setPixmap(icon.pixmap(kAboutIconSize, kAboutIconSize));
  icon_label_->setFixedSize(kAboutIconSize, kAboutIconSize);
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

}  // namespace vorelka::window
