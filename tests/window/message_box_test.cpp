// The Qt message box: modal, titled "Vorelka", OK only, the style's icon,
// text shown as it is.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "services/app_facts.h"
#include "window/qt_message_box.h"

namespace vorelka::window {
namespace {

using services::MessageStyle;

// Shows one box, runs `look` on it while it is up, and dismisses it with OK.
void ShowAndDismiss(QtMessageBox& box, std::string_view text, MessageStyle style,
                    const std::function<void(const QMessageBox&)>& look) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (shown == nullptr) return;
    seen = true;
    look(*shown);
    shown->button(QMessageBox::Ok)->click();
  });
  box.Show(text, style);
  EXPECT_TRUE(seen) << "no modal message box came up";
}

// Shown at load, before the window is on screen, a box has no owner; later
// it belongs to the main window.
TEST(QtMessageBox, ShowsOkOnlyBoxesOfTheStylesIconWithPlainTextOwnedOnceTheWindowShows) {
  services::FixedAppFacts facts("/nowhere");
  QtMessageBox box(facts);
  QWidget owner;
  box.SetOwner(&owner);
  ShowAndDismiss(box, "No records found.", MessageStyle::kCritical, [](const QMessageBox& shown) {
    EXPECT_EQ(shown.windowTitle(), "Vorelka");
    EXPECT_EQ(shown.text(), "No records found.");
    EXPECT_EQ(shown.icon(), QMessageBox::Critical);
    EXPECT_EQ(shown.standardButtons(), QMessageBox::Ok);
    EXPECT_TRUE(shown.isModal());
    EXPECT_EQ(shown.parentWidget(), nullptr);
  });
  owner.show();
  const char text[] = "3044 - <b>/x/words.mdb</b> не найден";
  ShowAndDismiss(box, text, MessageStyle::kExclamation, [&](const QMessageBox& shown) {
    EXPECT_EQ(shown.icon(), QMessageBox::Warning);
    EXPECT_EQ(shown.text(), QString::fromUtf8(text));
    EXPECT_EQ(shown.textFormat(), Qt::PlainText) << "engine text is never read as markup";
    EXPECT_EQ(shown.parentWidget(), &owner);
  });
}

}  // namespace
}  // namespace vorelka::window
