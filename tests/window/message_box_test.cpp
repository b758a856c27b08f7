// The Qt message box: modal, titled "Vorelka", OK only, the style's icon,
// text shown as it is.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include "services/app_facts.h"
#include "window/qt_message_box.h"

namespace vorelka::window {
namespace {

struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  Qt::TextFormat format = Qt::AutoText;
  QWidget* parent = nullptr;
  bool modal = false;
};

// Shows one box, notes what it looked like, and dismisses it with OK.
SeenBox ShowAndDismiss(QtMessageBox& box, std::string_view text, services::MessageStyle style) {
  SeenBox seen;
  QTimer::singleShot(0, [&] {
    auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (shown == nullptr) return;
    seen = {shown->windowTitle(), shown->text(),         shown->icon(),   shown->standardButtons(),
            shown->textFormat(),  shown->parentWidget(), shown->isModal()};
    shown->button(QMessageBox::Ok)->click();
  });
  box.Show(text, style);
  return seen;
}

TEST(QtMessageBox, ShowsCriticalAndExclamationBoxesWithOkOnly) {
  services::FixedAppFacts facts("/nowhere");
  QtMessageBox box(facts);

  const SeenBox critical = ShowAndDismiss(box, "No records found.  Invalid database.",
                                          services::MessageStyle::kCritical);
  EXPECT_EQ(critical.title, "Vorelka");
  EXPECT_EQ(critical.text, "No records found.  Invalid database.");
  EXPECT_EQ(critical.icon, QMessageBox::Critical);
  EXPECT_EQ(critical.buttons, QMessageBox::Ok);
  EXPECT_TRUE(critical.modal);
  EXPECT_EQ(critical.parent, nullptr);

  const SeenBox warning = ShowAndDismiss(box, "3044 - <b>/x/words.mdb</b> не найден",
                                         services::MessageStyle::kExclamation);
  EXPECT_EQ(warning.icon, QMessageBox::Warning);
  EXPECT_EQ(warning.text, QString::fromUtf8("3044 - <b>/x/words.mdb</b> не найден"));
  EXPECT_EQ(warning.format, Qt::PlainText) << "engine text is never read as markup";
}

TEST(QtMessageBox, BelongsToTheMainWindowOnceItIsOnScreen) {
  services::FixedAppFacts facts("/nowhere");
  QtMessageBox box(facts);
  QWidget owner;
  box.SetOwner(&owner);
  EXPECT_EQ(ShowAndDismiss(box, "at load", services::MessageStyle::kCritical).parent, nullptr);
  owner.show();
  EXPECT_EQ(ShowAndDismiss(box, "later", services::MessageStyle::kExclamation).parent, &owner);
}

}  // namespace
}  // namespace vorelka::window
