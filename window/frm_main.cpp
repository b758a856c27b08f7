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
  bRussianToEnglish = false;
  StatusBar->SetPanelText(kPanelDirection, kEnglishToRussian);
  txtAnswer->setText(QString());
  lblAnswer->setText(tr("Russian"));
  txtQuestion->setText(QString());
  lblQuestion->setText(tr("English"));
  mnuSettingsEnglish->setChecked(true);
  mnuSettingsRussian->setChecked(false);
  NameBoxesForDirection(false);
}

void frmMain::mnuSettingsRussian_Click() {
  bRussianToEnglish = true;
  StatusBar->SetPanelText(kPanelDirection, kRussianToEnglish);
  txtAnswer->setText(QString());
  lblAnswer->setText(tr("English"));
  txtQuestion->setText(QString());
  lblQuestion->setText(tr("Russian"));
  mnuSettingsEnglish->setChecked(false);
  mnuSettingsRussian->setChecked(true);
  NameBoxesForDirection(true);
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
