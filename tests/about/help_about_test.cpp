// Help > About on the drill window: the box it brings up is built from the
// application facts and the window's own icon.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "resources/program_icon.h"
#include "services/app_facts.h"
#include "services/testing/recording.h"
#include "store/word_store.h"
#include "window/about_box.h"
#include "window/frm_main.h"

namespace vorelka::window {
namespace {

using services::testing::RecordingMessageBox;
using services::testing::RecordingProgramEnd;
using services::testing::ScriptedRandom;

TEST(HelpAbout, ShowsTitleVersionOfTheFactsAndTheWindowIconModalToTheWindow) {
  QTemporaryDir folder;
  // Another version than the shipped one, so that nothing typed in the
  // About box could pass.
  services::FixedAppFacts facts(folder.path().toStdString(), {2, 10, 0});
  RecordingMessageBox box;
  ScriptedRandom random;
  RecordingProgramEnd end;
  store::WordStore store(facts, box);
  {
    frmMain frm({facts, box, random, end, store});
    frm.setWindowIcon(resources::ProgramIcon());
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
    auto* about = frm.findChild<QAction*>(QStringLiteral("mnuHelpAbout"));
    ASSERT_NE(about, nullptr);

    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = dynamic_cast<AboutDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) {
        ADD_FAILURE() << "Help > About brought up no About box";
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        return;
      }
      seen = true;
      EXPECT_EQ(dialog->windowTitle(), QStringLiteral("About Vorelka"));
      EXPECT_EQ(dialog->AppLabel()->text(), QStringLiteral("Vorelka"));
      EXPECT_EQ(dialog->OtherLabel()->text(), QStringLiteral("By Quorlan\n2.10.0"));
      EXPECT_EQ(dialog->parentWidget(), &frm);
      EXPECT_EQ(dialog->IconLabel()->pixmap().toImage(), frm.windowIcon().pixmap(32, 32).toImage());
      QTest::keyClick(dialog, Qt::Key_Return);
    });
    about->trigger();  // returns once the box is closed
    EXPECT_TRUE(seen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
  // Nothing else was shown and nothing was read.
  EXPECT_TRUE(box.shown.empty());
  EXPECT_EQ(random.draws, 0);
}

}  // namespace
}  // namespace vorelka::window
