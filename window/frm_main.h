// frmMain, the program's one window: the drill. Its controls carry the
// form's names (also as object names), its handlers the names of the events
// they answer, and it holds the drill's three values for its whole life.
#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <cstdint>

#include "services/app_facts.h"
#include "services/message_box.h"
#include "services/program_end.h"
#include "services/random.h"
#include "store/word_store.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace vorelka::window {

class PanelStatusBar;

// What the window leans on; all of it outlives the window.
struct DrillServices {
  const services::AppFacts& facts;
  services::MessageBox& box;
  services::RandomSource& random;
  services::ProgramEnd& end;
  store::WordStore& store;
};

// Indexes of the cmdAction button array.
inline constexpr int kCmdNext = 0;
inline constexpr int kCmdShow = 1;

class frmMain final : public QMainWindow {
  Q_OBJECT

 public:
  explicit frmMain(DrillServices services, QWidget* parent = nullptr);
  ~frmMain() override;

  // The load event: starts the drill. Runs before the window is first
  // shown; with no word pairs it ends the program instead.
  void Form_Load();

  // Places the window in the middle of its screen's available area.
  void CentreOnScreen();

 public slots:
  void cmdAction_Click(int Index);
  void mnuSettingsEnglish_Click();
  void mnuSettingsRussian_Click();
  void mnuHelpAbout_Click();

 private:
  // Layout (frm_main_layout.cpp).
  void CreateControls();
  void CreateActionsAndMenus();
  void SetTabOrder();
  void NameBoxesForDirection(bool russian_to_english);

  // Drill flow (frm_main.cpp).
  void InitDrill();
  // What both direction handlers do, in the order they do it.
  void SetDirection(bool russian_to_english);
  QString GetWord(int32_t lId, bool bEnglish);
  QString GetAnswer();
  QString KeyAndCount() const;

  DrillServices services_;

  // The drill's state.
  int32_t lWordCount = 0;
  bool bRussianToEnglish = false;
  int32_t lCurrentId = 0;

  // Controls, owned by Qt's parent chain.
  PanelStatusBar* StatusBar = nullptr;
  QGroupBox* Frame1 = nullptr;
  QLineEdit* txtAnswer = nullptr;
  QLineEdit* txtQuestion = nullptr;
  QLabel* lblAnswer = nullptr;
  QLabel* lblQuestion = nullptr;
  std::array<QPushButton*, 2> cmdAction{};

  QMenu* mnuSettings = nullptr;
  QAction* mnuSettingsRussian = nullptr;
  QAction* mnuSettingsEnglish = nullptr;
  QMenu* mnuHelp = nullptr;
  QAction* mnuHelpAbout = nullptr;
};

}  // namespace vorelka::window
