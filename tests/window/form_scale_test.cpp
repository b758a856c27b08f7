// The form at the desktop's UI font: a font that needs more room than the
// design's scales the whole form by one factor, and every control's text
// fits its rectangle.
#include <QFontMetrics>
#include <QGroupBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <cmath>

#include "tests/window/drill_harness.h"
#include "window/form_scale.h"

namespace vorelka::window::testing {
namespace {

TEST(FormScaleTest, DesignFactorRoundsTwipsToTheNearestPixel) {
  const FormScale design(1.0);
  EXPECT_EQ(design.Px(4695), 313);
  EXPECT_EQ(design.Px(1815), 121);
  EXPECT_EQ(design.Px(1000), 67) << "66.7 px";
  EXPECT_EQ(design.Px(318), 21) << "21.2 px";
  EXPECT_EQ(design.Px(2200), 147);
  EXPECT_EQ(design.Rect(3600, 1200, 1000, 318), QRect(240, 80, 67, 21));
}

TEST(FormScaleTest, NeighboursThatTouchInTwipsTouchAtAnyFactor) {
  for (const double factor : {1.0, 1.077, 1.25, 1.385, 1.46, 2.0}) {
    const FormScale scale(factor);
    // The status bar (1560 + 255) ends where the client area does (1815).
    EXPECT_EQ(scale.Rect(0, 1560, 4695, 255).bottom() + 1, scale.Px(1815)) << factor;
    EXPECT_EQ(scale.Rect(0, 1560, 4695, 255).right() + 1, scale.Px(4695)) << factor;
  }
}

TEST(FormScaleTest, FactorFollowsTheFontsLineAndNeverShrinks) {
  QFont design = DesignFont();
  ASSERT_LE(QFontMetrics(design).height(), kDesignLineHeight);
  EXPECT_EQ(FormScale(design).factor(), 1.0);
  EXPECT_EQ(FormScale(UiFont(6)).factor(), 1.0) << "a smaller font keeps the design";
  const QFont large = UiFont(12);
  EXPECT_DOUBLE_EQ(FormScale(large).factor(),
                   static_cast<double>(QFontMetrics(large).height()) / kDesignLineHeight);
}

// Texts the controls hold, the widest each one shows.
struct ShownText {
  const char* control;
  QString text;
};
const ShownText kWidestTexts[] = {
    {"lblQuestion", "Russian:"},
    {"lblAnswer", "English:"},
    {"StatusBar_Panel1", "9999/9999"},
    {"StatusBar_Panel2", "English -> Russian"},
};

class FormAtDesktopFontTest : public DrillWindowTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    WriteWords(kFiveKeyWords);
    Load();
    window_->show();
  }
  ScopedUiFont font_{UiFont(GetParam())};
};

TEST_P(FormAtDesktopFontTest, EveryTextFitsItsControl) {
  for (const ShownText& shown : kWidestTexts) {
    auto* label = Find<QLabel>(shown.control);
    label->setText(shown.text);
    const QFontMetrics metrics(label->font());
    const QRect room = label->contentsRect().adjusted(label->indent(), 0, 0, 0);
    EXPECT_LE(metrics.height(), room.height()) << shown.control << " at " << GetParam() << " pt";
    EXPECT_LE(metrics.horizontalAdvance(shown.text), room.width())
        << shown.control << " at " << GetParam() << " pt";
  }
  for (const char* name : {"cmdAction_0", "cmdAction_1"}) {
    auto* button = Find<QPushButton>(name);
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option,
                                                       button);
    const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    EXPECT_LE(text.height(), room.height()) << name << " at " << GetParam() << " pt";
    EXPECT_LE(text.width(), room.width()) << name << " at " << GetParam() << " pt";
  }
  for (const char* name : {"txtQuestion", "txtAnswer"}) {
    auto* box = Find<QLineEdit>(name);
    box->setText(QString::fromUtf8("Жд"));
    // The line edit's text rectangle: its frame taken off.
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    const QRect room = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    EXPECT_LE(box->fontMetrics().height(), room.height()) << name << " at " << GetParam() << " pt";
  }
}

TEST_P(FormAtDesktopFontTest, WholeFormScalesByOneFactor) {
  const double factor = FormScale(QApplication::font()).factor();
  const auto scaled = [factor](int px) { return static_cast<int>(std::lround(px * factor)); };
  EXPECT_NEAR(window_->centralWidget()->width(), scaled(313), 1);
  EXPECT_NEAR(window_->centralWidget()->height(), scaled(121), 1);
  const struct {
    const char* name;
    QRect design;
  } controls[] = {
      {"StatusBar", {0, 104, 313, 17}},  {"Frame1", {8, 0, 297, 73}},
      {"cmdAction_1", {168, 80, 67, 21}}, {"cmdAction_0", {240, 80, 67, 21}},
      {"txtAnswer", {80, 40, 201, 19}},  {"txtQuestion", {80, 16, 201, 19}},
      {"lblAnswer", {8, 40, 65, 17}},    {"lblQuestion", {8, 16, 65, 17}},
  };
  for (const auto& control : controls) {
    const QRect shown = Find<QWidget>(control.name)->geometry();
    EXPECT_NEAR(shown.left(), scaled(control.design.left()), 1) << control.name;
    EXPECT_NEAR(shown.top(), scaled(control.design.top()), 1) << control.name;
    EXPECT_NEAR(shown.width(), scaled(control.design.width()), 1) << control.name;
    EXPECT_NEAR(shown.height(), scaled(control.design.height()), 1) << control.name;
  }
  // The status bar still fills the bottom strip of the client area.
  EXPECT_EQ(Find<QWidget>("StatusBar")->geometry().bottom(),
            window_->centralWidget()->height() - 1);
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize()) << "the user cannot resize";
}

INSTANTIATE_TEST_SUITE_P(DesktopFontSizes, FormAtDesktopFontTest, ::testing::Values(8, 9, 10, 11, 12),
                         [](const auto& info) { return std::to_string(info.param) + "pt"; });

}  // namespace
}  // namespace vorelka::window::testing
