// The window's layout: a client area of fixed size below the menu bar,
// controls that fit their parents without overlapping, a form that scales
// by one factor with the desktop's UI font and whose texts all fit, and the
// first focus, keys and the text boxes' face.
#include <QFontInfo>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <cmath>
#include <map>

#include "tests/window/drill_harness.h"
#include "window/form_scale.h"

namespace vorelka::window::testing {
namespace {

TEST(FormScaleTest, RoundsToTheNearestPixelAndNeighboursThatTouchInTwipsStillTouch) {
  EXPECT_EQ(FormScale(1.0).Px(1000), 67) << "66.7 px";
  EXPECT_EQ(FormScale(1.0).Px(318), 21) << "21.2 px";
  for (const double factor : {1.0, 1.077, 1.385, 1.46, 2.0}) {
    const FormScale scale(factor);
    for (const int left : {0, 120, 1560, 3600}) {
      const QRect rect = scale.Rect(left, left, 1000, 255);
      EXPECT_EQ(rect.right() + 1, scale.Px(left + 1000)) << factor << " " << left;
      EXPECT_EQ(rect.bottom() + 1, scale.Px(left + 255)) << factor << " " << left;
    }
  }
}

TEST(FormScaleTest, FactorFollowsTheFontsLineAndNeverShrinks) {
  QFont font = QApplication::font();
  font.setPointSizeF(6);
  EXPECT_EQ(FormScale(font).factor(), 1.0) << "a smaller font keeps the design";
  font.setPointSizeF(12);
  ASSERT_GT(QFontMetrics(font).height(), kDesignLineHeight);
  EXPECT_DOUBLE_EQ(FormScale(font).factor(),
                   static_cast<double>(QFontMetrics(font).height()) / kDesignLineHeight);
}

const char* const kControls[] = {"StatusBar",   "Frame1",    "cmdAction_0", "cmdAction_1",
                                 "txtQuestion", "txtAnswer", "lblQuestion", "lblAnswer"};

// At each desktop font size: each group of siblings lies inside its parent
// and no two of them overlap; the whole form scales by one factor below the
// menu bar from its design at 8 pt; and every text fits its control.
TEST_F(DrillWindowTest, AtEveryDesktopFontTheFormScalesWholeAndItsControlsAndTextsFit) {
  WriteWords(kFiveKeyWords);
  QSize design_client;
  std::map<std::string, QRect> design;
  {
    ScopedUiFont font(8);
    ASSERT_LE(QFontMetrics(QApplication::font()).height(), kDesignLineHeight);
    Load();
    design_client = window_->centralWidget()->size();
    for (const char* name : kControls) design[name] = Find(name)->geometry();
    window_.reset();
  }
  for (const int points : {8, 9, 10, 11, 12}) {
    SCOPED_TRACE(std::to_string(points) + " pt");
    ScopedUiFont font(points);
    Load();
    window_->show();

    const std::vector<std::vector<const char*>> groups = {
        {"StatusBar", "Frame1", "cmdAction_0", "cmdAction_1"},
        {"txtQuestion", "txtAnswer", "lblQuestion", "lblAnswer"},
        {"StatusBar_Panel1", "StatusBar_Panel2"},
    };
    for (const auto& group : groups) {
      for (size_t i = 0; i < group.size(); ++i) {
        const QRect rect = Find(group[i])->geometry();
        EXPECT_TRUE(Find(group[i])->parentWidget()->rect().contains(rect)) << group[i];
        for (size_t j = i + 1; j < group.size(); ++j) {
          EXPECT_FALSE(rect.intersects(Find(group[j])->geometry())) << group[i] << " " << group[j];
        }
      }
    }
    EXPECT_EQ(Find("txtAnswer")->parentWidget(), Find("Frame1"));
    // The status bar fills the client area's bottom strip.
    const QRect client = window_->centralWidget()->rect();
    const QRect bar = Find("StatusBar")->geometry();
    EXPECT_EQ(bar.bottom(), client.bottom());
    EXPECT_EQ(bar.width(), client.width());
    EXPECT_LT(Find("lblQuestion")->y(), Find("lblAnswer")->y()) << "Russian above English";

    const double factor = FormScale(QApplication::font()).factor();
    const auto scaled = [factor](int px) { return static_cast<int>(std::lround(px * factor)); };
    EXPECT_NEAR(window_->centralWidget()->width(), scaled(design_client.width()), 1);
    EXPECT_NEAR(window_->centralWidget()->height(), scaled(design_client.height()), 1);
    for (const char* name : kControls) {
      const QRect shown = Find(name)->geometry();
      EXPECT_NEAR(shown.left(), scaled(design[name].left()), 1) << name;
      EXPECT_NEAR(shown.top(), scaled(design[name].top()), 1) << name;
      EXPECT_NEAR(shown.width(), scaled(design[name].width()), 1) << name;
      EXPECT_NEAR(shown.height(), scaled(design[name].height()), 1) << name;
    }
    EXPECT_EQ(window_->centralWidget()->y(), window_->menuBar()->height());
    EXPECT_EQ(window_->height(), window_->menuBar()->height() + window_->centralWidget()->height());
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize()) << "the user cannot resize";
    const Qt::WindowFlags flags = window_->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE((flags & Qt::WindowMinimizeButtonHint) && (flags & Qt::WindowCloseButtonHint));

    // The widest text each label shows.
    const std::pair<const char*, QString> widest[] = {{"lblQuestion", "Russian:"},
                                                      {"lblAnswer", "English:"},
                                                      {"StatusBar_Panel1", "9999/9999"},
                                                      {"StatusBar_Panel2", "English -> Russian"}};
    for (const auto& [name, text] : widest) {
      auto* label = Find<QLabel>(name);
      label->setText(text);
      const QRect room = label->contentsRect().adjusted(label->indent(), 0, 0, 0);
      EXPECT_LE(label->fontMetrics().height(), room.height()) << name;
      EXPECT_LE(label->fontMetrics().horizontalAdvance(text), room.width()) << name;
    }
    for (const char* name : {"cmdAction_0", "cmdAction_1"}) {
      auto* button = Find<QPushButton>(name);
      QStyleOptionButton option;
      option.initFrom(button);
      option.text = button->text();
      const QRect room =
          button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
      const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
      EXPECT_LE(text.height(), room.height()) << name;
      EXPECT_LE(text.width(), room.width()) << name;
    }
    for (const char* name : {"txtQuestion", "txtAnswer"}) {
      auto* box = Find<QLineEdit>(name);
      // The line edit's text rectangle: its frame taken off.
      QStyleOptionFrame option;
      option.initFrom(box);
      option.rect = box->rect();
      option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
      const QRect room = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
      EXPECT_LE(box->fontMetrics().height(), room.height()) << name;
      for (const char16_t letter : {u'Ж', u'ё', u'д', u'Я'}) {
        EXPECT_TRUE(box->fontMetrics().inFont(QChar(letter)))
            << QFontInfo(box->font()).family().toStdString() << " lacks a Cyrillic glyph";
      }
    }
    window_.reset();
  }
}

TEST_F(DrillWindowTest, OpensCentredWithFocusOnNext_EnterAndEscapePressNoButton) {
  WriteWords(kFiveKeyWords);
  Load();
  window_->CentreOnScreen();
  window_->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  EXPECT_EQ(window_->windowTitle(), "Vorelka");
  // Centred before the platform's frame is known: off by at most that frame.
  const QPoint centre = window_->screen()->availableGeometry().center();
  const QSize frame = window_->frameGeometry().size() - window_->size();
  EXPECT_LE((window_->frameGeometry().center() - centre).manhattanLength(),
            frame.width() + frame.height() + 1);

  // The four tab stops in order are what end_to_end.sh reads the boxes by.
  EXPECT_EQ(QApplication::focusWidget(), Find("cmdAction_0"));

  // Enter and Escape press no button; only the answer takes typing.
  for (const char* focus : {"cmdAction_0", "cmdAction_1", "txtAnswer"}) {
    Find(focus)->setFocus();
    QTest::keyClick(Find(focus), Qt::Key_Return);
    QTest::keyClick(Find(focus), Qt::Key_Escape);
  }
  QTest::qWait(200);
  EXPECT_EQ(random_->draws, 1) << "Enter or Escape pressed Next";
  EXPECT_EQ(Text("txtAnswer"), QString()) << "Enter or Escape pressed Show";

  QTest::keyClicks(Find<QLineEdit>("txtQuestion"), "x");
  EXPECT_EQ(Text("txtQuestion"), QString::fromUtf8("дом"));
  QTest::keyClicks(Find("txtAnswer"), "house");
  EXPECT_EQ(Text("txtAnswer"), "house");
}

}  // namespace
}  // namespace vorelka::window::testing
