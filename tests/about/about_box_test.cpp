// The About box: its other-stuff text, and the dialog shown where the shell
// has no About box of its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "resources/program_icon.h"
#include "window/about_box.h"

namespace vorelka::window {
namespace {

TEST(AboutOtherStuff, AuthorLineThenVersionAfterCrLf) {
  EXPECT_EQ(AboutOtherStuff({1, 0, 2}), "By Quorlan\r\n1.0.2");
  EXPECT_EQ(AboutOtherStuff({2, 10, 0}), "By Quorlan\r\n2.10.0");
  EXPECT_EQ(AboutOtherStuff({0, 0, 0}), "By Quorlan\r\n0.0.0");
}

constexpr char kOther[] = "By Quorlan\r\n1.0.2";
constexpr int kCloseTimeoutMs = 5000;

class AboutBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = std::make_unique<QWidget>();
    owner_->setWindowTitle(QStringLiteral("Vorelka"));
    owner_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(owner_.get()));
  }

  void TearDown() override {
    owner_.reset();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty()) << "a window outlived its test";
  }

  // Runs ShowAbout and, once its dialog is up, `inside` on it. Returns
  // whether ShowAbout came back; `inside` must close the dialog.
  bool RunShowAbout(const std::function<void(AboutDialog&)>& inside) {
    // A box that does not close would hang the suite; this closes it.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
      ADD_FAILURE() << "the About box did not close";
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    guard.start(kCloseTimeoutMs);
    bool ran_inside = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = dynamic_cast<AboutDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) {
        ADD_FAILURE() << "no modal About box is up";
        QApplication::activeModalWidget()->close();
        return;
      }
      ran_inside = true;
      inside(*dialog);
    });
    ShowAbout(owner_.get(), QStringLiteral("Vorelka"), kOther, resources::ProgramIcon());
    return ran_inside;
  }

  std::unique_ptr<QWidget> owner_;
};

TEST_F(AboutBoxTest, ShowsTitleAppTextAndBothLinesOfOtherStuff) {
  AboutDialog dialog(owner_.get(), QStringLiteral("Vorelka"), kOther, resources::ProgramIcon());
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Vorelka"));
  EXPECT_EQ(dialog.AppLabel()->text(), QStringLiteral("Vorelka"));
  EXPECT_EQ(dialog.OtherLabel()->text(), QStringLiteral("By Quorlan\n1.0.2"));
  EXPECT_EQ(dialog.OtherLabel()->text().split(u'\n').size(), 2);
  EXPECT_EQ(dialog.OkButton()->text(), QStringLiteral("OK"));
}

TEST_F(AboutBoxTest, TextsAreShownAsPlainText) {
  // A title or author line holding markup must not be read as rich text.
  AboutDialog dialog(owner_.get(), QStringLiteral("<b>V</b>"), "<i>x</i>\r\n1.0.2", QIcon());
  EXPECT_EQ(dialog.AppLabel()->textFormat(), Qt::PlainText);
  EXPECT_EQ(dialog.OtherLabel()->textFormat(), Qt::PlainText);
  EXPECT_EQ(dialog.OtherLabel()->text(), QStringLiteral("<i>x</i>\n1.0.2"));
}

TEST_F(AboutBoxTest, IconIs32PixelsLeftOfTheAppText) {
  AboutDialog dialog(owner_.get(), QStringLiteral("Vorelka"), kOther, resources::ProgramIcon());
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

  const QPixmap shown = dialog.IconLabel()->pixmap();
  ASSERT_FALSE(shown.isNull());
  EXPECT_EQ(shown.size(), QSize(32, 32));
  const QImage expected =
      QImage(QString::fromLatin1(resources::kProgramIcon32)).convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(shown.toImage().convertToFormat(QImage::Format_ARGB32), expected);

  const QRect icon = dialog.IconLabel()->geometry();
  const QRect app = dialog.AppLabel()->geometry();
  EXPECT_LE(icon.right(), app.left());
  EXPECT_LT(app.top(), icon.bottom());  // beside it, not below
  EXPECT_LT(dialog.AppLabel()->y(), dialog.OtherLabel()->y());
  EXPECT_EQ(dialog.IconLabel()->accessibleName(), "Vorelka icon") << "a screen reader names it";
  dialog.close();
}

TEST_F(AboutBoxTest, IsModalToItsOwner) {
  const bool ran = RunShowAbout([&](AboutDialog& dialog) {
    EXPECT_TRUE(dialog.isModal());
    EXPECT_EQ(dialog.parentWidget(), owner_.get());
    EXPECT_EQ(dialog.windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Vorelka"));
    EXPECT_TRUE(dialog.OkButton()->isDefault());
    dialog.OkButton()->click();
  });
  EXPECT_TRUE(ran);
}

TEST_F(AboutBoxTest, EnterEscapeOrOkClosesItAndShowAboutReturns) {
  const std::function<void(AboutDialog&)> closers[] = {
      [](AboutDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); },
      [](AboutDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
      [](AboutDialog& dialog) { QTest::mouseClick(dialog.OkButton(), Qt::LeftButton); },
  };
  for (const auto& close : closers) {
    EXPECT_TRUE(RunShowAbout(close));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
}

}  // namespace
}  // namespace vorelka::window
