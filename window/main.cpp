// Vorelka: the drill window over words.mdb beside the program.
#include <QApplication>

#include "resources/program_icon.h"
#include "services/app_facts.h"
#include "services/program_end.h"
#include "services/random.h"
#include "store/word_store.h"
#include "window/frm_main.h"
#include "window/qt_message_box.h"
#include "window/runtime_folder.h"
#include "window/session_bus.h"

int main(int argc, char* argv[]) {
  using namespace vorelka;

  window::KeepFromMakingRuntimeFolder();
  window::KeepFromLaunchingSessionBus();
  QApplication app(argc, argv);
  services::ProcessAppFacts facts;
  // Window titles read exactly "Vorelka", with no program name added.
  QApplication::setApplicationDisplayName(QString::fromStdString(facts.Title()));
  // The program icon: the title bar's, the task bar's and the About box's.
  QApplication::setWindowIcon(resources::ProgramIcon());

  window::QtMessageBox box(facts);
  store::WordStore store(facts, box);
  services::ClockRandom random;
  services::ProcessProgramEnd end;

  window::frmMain frm({facts, box, random, end, store});
  box.SetOwner(&frm);
  frm.Form_Load();
  frm.CentreOnScreen();
  frm.show();
  return QApplication::exec();
}
