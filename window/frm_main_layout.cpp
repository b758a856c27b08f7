// frmMain's controls and menus, placed as the form lays them out. The form
// is measured in twips; at 96 dots per inch a pixel is 15 twips, and the
// pixels here are Qt's device-independent ones, so the window grows with
// the desktop's scaling factor.
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

#include "window/frm_main.h"
#include "window/latin_mnemonics.h"
#include "window/status_bar.h"

namespace vorelka::window {
namespace {

constexpr int kTwipsPerPixel = 15;

// Rounded to the nearest pixel: the buttons' 1000 x 318 twips are 66.7 x 21.2
// pixels and become 67 x 21.
constexpr int Px(int twips) {
  return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}
constexpr QRect RectOfTwips(int left, int top, int width, int height) {
  return QRect(Px(left), Px(top), Px(width), Px(height));
}

// The client area below the menu bar: 4695 x 1815 twips.
constexpr int kClientWidthTwips = 4695;
constexpr int kClientHeightTwips = 1815;

// Relative to the client area.
constexpr QRect kStatusBarRect = RectOfTwips(0, 1560, 4695, 255);
constexpr QRect kFrame1Rect = RectOfTwips(120, 0, 4455, 1095);
constexpr QRect kCmdShowRect = RectOfTwips(2520, 1200, 1000, 318);
constexpr QRect kCmdNextRect = RectOfTwips(3600, 1200, 1000, 318);

// Relative to Frame1.
constexpr QRect kTxtAnswerRect = RectOfTwips(1200, 600, 3015, 285);
constexpr QRect kTxtQuestionRect = RectOfTwips(1200, 240, 3015, 285);
constexpr QRect kLblAnswerRect = RectOfTwips(120, 600, 975, 255);
constexpr QRect kLblQuestionRect = RectOfTwips(120, 240, 975, 255);

// Status-bar panels: width and minimum width.
constexpr int kPanel1WidthTwips = 2205;
constexpr int kPanel1MinWidthTwips = 2200;
constexpr int kPanel2WidthTwips = 2445;
constexpr int kPanel2MinWidthTwips = 1440;

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

QLabel* MakeLabel(const char* name, const QString& caption, const QRect& rect, QWidget* parent) {
  auto* label = Named(new QLabel(caption, parent), name);
  label->setGeometry(rect);
  label->setAlignment(Qt::AlignRight | Qt::AlignTop);
  return label;
}

QLineEdit* MakeTextBox(const char* name, const QString& accessible_name, const QRect& rect,
                       QWidget* parent) {
  auto* box = Named(new QLineEdit(parent), name);
  box->setGeometry(rect);
  box->setFont(TextBoxFont());
  box->setAccessibleName(accessible_name);
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
  auto* client = Named(new QWidget(this), "client");
  client->setFixedSize(Px(kClientWidthTwips), Px(kClientHeightTwips));
  setCentralWidget(client);

  StatusBar =
      Named(new PanelStatusBar(
                kStatusBarRect,
                {{
                    {Px(kPanel1WidthTwips), Px(kPanel1MinWidthTwips), tr("Card and word count")},
                    {Px(kPanel2WidthTwips), Px(kPanel2MinWidthTwips), tr("Direction")},
                }},
                client),
            "StatusBar");

  Frame1 = Named(new QGroupBox(client), "Frame1");
  Frame1->setGeometry(kFrame1Rect);

  txtAnswer = MakeTextBox("txtAnswer", tr("Answer"), kTxtAnswerRect, Frame1);
  txtQuestion = MakeTextBox("txtQuestion", tr("Question"), kTxtQuestionRect, Frame1);
  txtQuestion->setReadOnly(true);
  lblAnswer = MakeLabel("lblAnswer", tr("English:"), kLblAnswerRect, Frame1);
  lblQuestion = MakeLabel("lblQuestion", tr("Russian:"), kLblQuestionRect, Frame1);

  cmdAction[kCmdShow] = MakeButton("cmdAction_1", tr("Sho&w"), tr("Show"), kCmdShowRect, client);
  cmdAction[kCmdNext] = MakeButton("cmdAction_0", tr("&Next"), tr("Next"), kCmdNextRect, client);
  for (int index = 0; index < static_cast<int>(cmdAction.size()); ++index) {
    connect(cmdAction[index], &QPushButton::clicked, this,
            [this, index] { cmdAction_Click(index); });
  }
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
