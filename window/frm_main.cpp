// frmMain's drill: the load event and the handlers of the buttons and the
// direction menu. Every step runs in the order the drill relies on; the word
// store and the card choice do all the reading and drawing.
#include "window/frm_main.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>

#include "store/card_choice.h"
#include "window/about_box.h"
#include "window/status_bar.h"

namespace vorelka::window {
namespace {

constexpr int kPanelKey = 1;
constexpr int kPanelDirection = 2;

const QString kRussianToEnglish = QStringLiteral("Russian -> English");
const QString kEnglishToRussian = QStringLiteral("English -> Russian");

// Two blanks after the first full stop.
constexpr char kNoRecords[] = "No records found.  Invalid database.";

}  // namespace

void frmMain::Form_Load() {
  InitDrill();
}

void frmMain::InitDrill() {
  StatusBar->SetPanelText(kPanelDirection, kRussianToEnglish);
  bRussianToEnglish = true;
  mnuSettingsRussian->setChecked(true);
  mnuSettingsEnglish->setChecked(false);
  lWordCount = services_.store.GetWordCount();
  if (lWordCount == 0) {
    services_.box.Show(kNoRecords, services::MessageStyle::kCritical);
    services_.end.End();
  }
  lCurrentId = store::PickRandomId(lWordCount, services_.random, services_.box);
  StatusBar->SetPanelText(kPanelKey, KeyAndCount());
  txtQuestion->setText(GetWord(lCurrentId, false));
}

void frmMain::cmdAction_Click(int Index) {
  switch (Index) {
    case kCmdNext: {
      lCurrentId = store::PickRandomId(lWordCount, services_.random, services_.box);
      txtAnswer->setText(QString());
      const bool english_question = mnuSettingsEnglish->isChecked();
      txtQuestion->setText(GetWord(lCurrentId, english_question));
      StatusBar->SetPanelText(kPanelKey, KeyAndCount());
      break;
    }
    case kCmdShow:
      // Any text counts as a question, blanks included.
      if (txtQuestion->text() != QString()) txtAnswer->setText(GetAnswer());
      break;
    default:
      break;
  }
}

void frmMain::mnuSettingsEnglish_Click() {
  SetDirection(false);
}

void frmMain::mnuSettingsRussian_Click() {
  SetDirection(true);
}

// The state first, then the status panel, the emptied boxes with their new
// captions, the menu's checks (English's first) and the boxes' names.
void frmMain::SetDirection(bool russian_to_english) {
  bRussianToEnglish = russian_to_english;
  StatusBar->SetPanelText(kPanelDirection,
                          russian_to_english ? kRussianToEnglish : kEnglishToRussian);
  txtAnswer->setText(QString());
  lblAnswer->setText(russian_to_english ? tr("English") : tr("Russian"));
  txtQuestion->setText(QString());
  lblQuestion->setText(russian_to_english ? tr("Russian") : tr("English"));
  mnuSettingsEnglish->setChecked(!russian_to_english);
  mnuSettingsRussian->setChecked(russian_to_english);
  NameBoxesForDirection(russian_to_english);
}

void frmMain::mnuHelpAbout_Click() {
  ShowAbout(this, QString::fromStdString(services_.facts.Title()),
            AboutOtherStuff(services_.facts.GetVersion()), windowIcon());
}

QString frmMain::GetWord(int32_t lId, bool bEnglish) {
  return QString::fromStdString(services_.store.GetWord(lId, bEnglish));
}

QString frmMain::GetAnswer() {
  return GetWord(lCurrentId, bRussianToEnglish);
}

QString frmMain::KeyAndCount() const {
  return QString::number(lCurrentId) + QLatin1Char('/') + QString::number(lWordCount);
}

}  // namespace vorelka::window
