// The About box: the dialog shown where the shell has no About box of its
// own, and Help > About on the drill window, which builds it from the
// application facts and the window's own icon.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "resources/program_icon.h"
#include "services/app_facts.h"
#include "services/testing/recording.h"
#include "store/word_store.h"
#include "window/about_box.h"
#include "window/frm_main.h"

namespace vorelka::window {
namespace {

TEST(AboutBox, ShowsTitleIconBesideAppTextAndOtherLinesAllAsPlainText) {
  QWidget owner;
  AboutDialog dialog(&owner, "<b>V</b>", "<i>x</i>\r\nline 2", resources::ProgramIcon());
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  EXPECT_EQ(dialog.windowTitle(), "About <b>V</b>");
  EXPECT_EQ(dialog.AppLabel()->text(), "<b>V</b>");
  EXPECT_EQ(dialog.OtherLabel()->text(), "<i>x</i>\nline 2");
  EXPECT_EQ(dialog.AppLabel()->textFormat(), Qt::PlainText);
  EXPECT_EQ(dialog.OtherLabel()->textFormat(), Qt::PlainText);

  const QRect icon = dialog.IconLabel()->geometry();
  const QRect app = dialog.AppLabel()->geometry();
  EXPECT_LE(icon.right(), app.left());
  EXPECT_LT(app.top(), icon.bottom()) << "beside the icon, not below";
  EXPECT_LT(app.top(), dialog.OtherLabel()->y());
  EXPECT_FALSE(dialog.IconLabel()->accessibleName().isEmpty()) << "a screen reader names it";
}

// Help > About returns once the box is closed, by Enter, Escape or OK; a box
// that does not close fails the test instead of hanging the suite.
TEST(HelpAbout, ShowsTitleVersionAndIconOfTheWindowModallyUntilEnterEscapeOrOk) {
  QTemporaryDir folder;
  // Another version than the shipped one, so that nothing typed in the
  // About box could pass.
  services::FixedAppFacts facts(folder.path().toStdString(), {2, 10, 0});
  services::testing::RecordingMessageBox box;
  services::testing::ScriptedRandom random;
  services::testing::RecordingProgramEnd end;
  store::WordStore store(facts, box);
  frmMain frm({facts, box, random, end, store});
  frm.setWindowIcon(resources::ProgramIcon());
  frm.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));

  const std::function<void(AboutDialog&)> closers[] = {
      [](AboutDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); },
      [](AboutDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
      [](AboutDialog& dialog) { QTest::mouseClick(dialog.OkButton(), Qt::LeftButton); },
  };
  for (const auto& close : closers) {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
      ADD_FAILURE() << "the About box did not close";
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    guard.start(5000);
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = dynamic_cast<AboutDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      seen = true;
      EXPECT_EQ(dialog->windowTitle(), "About Vorelka");
      EXPECT_EQ(dialog->OtherLabel()->text(), "By Quorlan\n2.10.0");
      EXPECT_EQ(dialog->parentWidget(), &frm);
      EXPECT_EQ(dialog->windowModality(), Qt::ApplicationModal);
      EXPECT_EQ(dialog->IconLabel()->pixmap().toImage(), frm.windowIcon().pixmap(32, 32).toImage());
      close(*dialog);
    });
    frm.findChild<QAction*>("mnuHelpAbout")->trigger();
    EXPECT_TRUE(seen) << "Help > About brought up no About box";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
  EXPECT_TRUE(box.shown.empty()) << "nothing else was shown";
  EXPECT_EQ(random.draws, 0) << "nothing was read";
}

}  // namespace
}  // namespace vorelka::window
