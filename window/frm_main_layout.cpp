// frmMain's controls and menus, placed as the form lays them out. The form
// is measured in twips and turned into pixels by one factor that follows
// the UI font (form_scale.h); the pixels are Qt's device-independent ones,
// so the window also grows with the desktop's scaling factor.
#include <QAction>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include "window/form_scale.h"
#include "window/frm_main.h"
#include "window/latin_mnemonics.h"
#include "window/status_bar.h"

namespace vorelka::window {
namespace {

// A control's place in twips: left, top, width, height.
struct Twips {
  int left, top, width, height;
};

// The client area below the menu bar: 4695 x 1815 twips.
constexpr int kClientWidthTwips = 4695;
constexpr int kClientHeightTwips = 1815;

// Relative to the client area.
constexpr Twips kStatusBarTwips{0, 1560, 4695, 255};
constexpr Twips kFrame1Twips{120, 0, 4455, 1095};
constexpr Twips kCmdShowTwips{2520, 1200, 1000, 318};
constexpr Twips kCmdNextTwips{3600, 1200, 1000, 318};

// Relative to Frame1.
constexpr Twips kTxtAnswerTwips{1200, 600, 3015, 285};
constexpr Twips kTxtQuestionTwips{1200, 240, 3015, 285};
constexpr Twips kLblAnswerTwips{120, 600, 975, 255};
constexpr Twips kLblQuestionTwips{120, 240, 975, 255};

// Status-bar panels: width and minimum width.
constexpr int kPanel1WidthTwips = 2205;
constexpr int kPanel1MinWidthTwips = 2200;
constexpr int kPanel2WidthTwips = 2445;
constexpr int kPanel2MinWidthTwips = 1440;

QRect RectOf(const FormScale& scale, const Twips& twips) {
  return scale.Rect(twips.left, twips.top, twips.width, twips.height);
}

// The text boxes' font: Times New Roman 9.75 pt, normal weight; the face
// must carry Cyrillic.
constexpr char kTextBoxFamily[] = "Times New Roman";
constexpr qreal kTextBoxPointSize = 9.75;

QFont TextBoxFont() {
  QFont font(QString::fromLatin1(kTextBoxFamily));
  font.setStyleHint(QFont::Serif);
  font.setPointSizeF(kTextBoxPointSize);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// A label tied to its box: screen readers report the box as labelled by it.
QLabel* MakeLabel(const char* name, const QString& caption, const QRect& rect, QLineEdit* box) {
  auto* label = Named(new QLabel(caption, box->parentWidget()), name);
  label->setGeometry(rect);
  label->setAlignment(Qt::AlignRight | Qt::AlignTop);
  label->setBuddy(box);
  return label;
}

QLineEdit* MakeTextBox(const char* name, const QRect& rect, QWidget* parent) {
  auto* box = Named(new QLineEdit(parent), name);
  box->setGeometry(rect);
  box->setFont(TextBoxFont());
  return box;
}

QPushButton* MakeButton(const char* name, const QString& caption, const QString& accessible_name,
                        const QRect& rect, QWidget* parent) {
  auto* button = Named(new QPushButton(caption, parent), name);
  button->setGeometry(rect);
  // Neither button answers Enter or Escape on its own.
  button->setAutoDefault(false);
  button->setDefault(false);
  button->setAccessibleName(accessible_name);
  return button;
}

}  // namespace

frmMain::frmMain(DrillServices services, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      services_(services) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QString::fromStdString(services_.facts.Title()));
  CreateControls();
  CreateActionsAndMenus();
  SetTabOrder();
  // The menu bar's height comes from the platform; the client area is fixed.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  new LatinMnemonics(this);
}

frmMain::~frmMain() = default;

void frmMain::CreateControls() {
  const FormScale scale(font());
  auto* client = Named(new QWidget(this), "client");
  client->setFixedSize(scale.Px(kClientWidthTwips), scale.Px(kClientHeightTwips));
  setCentralWidget(client);

  StatusBar = Named(new PanelStatusBar(RectOf(scale, kStatusBarTwips),
                                       {{
                                           {scale.Px(kPanel1WidthTwips),
                                            scale.Px(kPanel1MinWidthTwips), tr("Card and word count")},
                                           {scale.Px(kPanel2WidthTwips),
                                            scale.Px(kPanel2MinWidthTwips), tr("Direction")},
                                       }},
                                       client),
                    "StatusBar");

  Frame1 = Named(new QGroupBox(client), "Frame1");
  Frame1->setGeometry(RectOf(scale, kFrame1Twips));

  txtAnswer = MakeTextBox("txtAnswer", RectOf(scale, kTxtAnswerTwips), Frame1);
  txtQuestion = MakeTextBox("txtQuestion", RectOf(scale, kTxtQuestionTwips), Frame1);
  txtQuestion->setReadOnly(true);
  lblAnswer = MakeLabel("lblAnswer", tr("English:"), RectOf(scale, kLblAnswerTwips), txtAnswer);
  lblQuestion =
      MakeLabel("lblQuestion", tr("Russian:"), RectOf(scale, kLblQuestionTwips), txtQuestion);
  NameBoxesForDirection(true);

  cmdAction[kCmdShow] =
      MakeButton("cmdAction_1", tr("Sho&w"), tr("Show"), RectOf(scale, kCmdShowTwips), client);
  cmdAction[kCmdNext] =
      MakeButton("cmdAction_0", tr("&Next"), tr("Next"), RectOf(scale, kCmdNextTwips), client);
  for (int index = 0; index < static_cast<int>(cmdAction.size()); ++index) {
    connect(cmdAction[index], &QPushButton::clicked, this,
            [this, index] { cmdAction_Click(index); });
  }
}

// A screen reader hears each box's role and the language it holds.
void frmMain::NameBoxesForDirection(bool russian_to_english) {
  const QString russian = tr("Russian");
  const QString english = tr("English");
  txtQuestion->setAccessibleName(
      tr("Question, %1").arg(russian_to_english ? russian : english));
  txtAnswer->setAccessibleName(tr("Answer, %1").arg(russian_to_english ? english : russian));
}

void frmMain::CreateActionsAndMenus() {
  mnuSettingsRussian = Named(new QAction(tr("&Russian to English"), this), "mnuSettingsRussian");
  mnuSettingsRussian->setCheckable(true);
  connect(mnuSettingsRussian, &QAction::triggered, this, &frmMain::mnuSettingsRussian_Click);

  mnuSettingsEnglish = Named(new QAction(tr("&English to Russian"), this), "mnuSettingsEnglish");
  mnuSettingsEnglish->setCheckable(true);
  connect(mnuSettingsEnglish, &QAction::triggered, this, &frmMain::mnuSettingsEnglish_Click);

  mnuHelpAbout = Named(new QAction(tr("&About..."), this), "mnuHelpAbout");
  connect(mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);

  mnuSettings = Named(menuBar()->addMenu(tr("&Settings")), "mnuSettings");
  mnuSettings->addAction(mnuSettingsRussian);
  mnuSettings->addAction(mnuSettingsEnglish);

  mnuHelp = Named(menuBar()->addMenu(tr("&Help")), "mnuHelp");
  mnuHelp->addAction(mnuHelpAbout);
}

// Tab indexes 0..7: Next, Show, (Frame1, both labels), txtQuestion,
// txtAnswer, (StatusBar). Only the four that take focus are in the chain;
// the first of them holds the focus when the window first shows.
void frmMain::SetTabOrder() {
  setTabOrder(cmdAction[kCmdNext], cmdAction[kCmdShow]);
  setTabOrder(cmdAction[kCmdShow], txtQuestion);
  setTabOrder(txtQuestion, txtAnswer);
  for (QWidget* passive : {static_cast<QWidget*>(Frame1), static_cast<QWidget*>(StatusBar),
                           static_cast<QWidget*>(lblQuestion), static_cast<QWidget*>(lblAnswer)}) {
    passive->setFocusPolicy(Qt::NoFocus);
  }
  cmdAction[kCmdNext]->setFocus(Qt::OtherFocusReason);
}

void frmMain::CentreOnScreen() {
  const QScreen* target = screen();
  if (target == nullptr) return;
  // The size is known only once the layout has fitted the menu bar.
  layout()->activate();
  QRect frame = frameGeometry();
  frame.moveCenter(target->availableGeometry().center());
  move(frame.topLeft());
}

}  // namespace vorelka::window
