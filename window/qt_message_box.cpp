#include "window/qt_message_box.h"

#include <QMessageBox>

namespace vorelka::window {
namespace {

QMessageBox::Icon IconOf(services::MessageStyle style) {
  switch (style) {
    case services::MessageStyle::kCritical:
      return QMessageBox::Critical;
    case services::MessageStyle::kExclamation:
      return QMessageBox::Warning;
  }
  return QMessageBox::Warning;
}

}  // namespace

void QtMessageBox::Show(std::string_view text, services::MessageStyle style) {
  QWidget* parent = owner_ != nullptr && owner_->isVisible() ? owner_.data() : nullptr;
  QMessageBox box(IconOf(style), QString::fromStdString(facts_.Title()),
                  QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                  QMessageBox::Ok, parent);
  // Error descriptions name files and carry engine text: never markup.
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace vorelka::window
