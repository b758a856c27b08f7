// A drill window over a real words.mdb in a temporary folder, with
// recording message boxes, a scripted random source and a program end that
// throws instead of exiting.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <memory>

#include "services/app_facts.h"
#include "services/testing/recording.h"
#include "store/word_store.h"
#include "tests/support/test_files.h"
#include "window/frm_main.h"

namespace vorelka::window::testing {

using services::testing::ProgramEnded;
using services::testing::ScriptedRandom;

// Keys 1..5 are drawn by the scripted values 0.1, 0.3, 0.5, 0.7 and 0.9
// (floor(r * 5 + 1)). Key 4's Russian word is a single blank; key 5 has
// no row.
inline const std::vector<vorelka::testing::Words> kFiveKeyWords = {
    {1, "house", "дом"}, {2, "water", "вода"},    {3, "to read", "читать"},
    {4, "space", " "},   {6, "unused", "лишний"},
};
inline constexpr float kDrawKey1 = 0.1f;
inline constexpr float kDrawKey2 = 0.3f;
inline constexpr float kDrawKey3 = 0.5f;
inline constexpr float kDrawBlankKey4 = 0.7f;
inline constexpr float kDrawMissingKey5 = 0.9f;

// The platform's UI face at `points`, made the application's font for one
// test.
class ScopedUiFont {
 public:
  explicit ScopedUiFont(qreal points) : old_(QApplication::font()) {
    QFont font = old_;
    font.setPointSizeF(points);
    QApplication::setFont(font);
  }
  ~ScopedUiFont() { QApplication::setFont(old_); }

 private:
  QFont old_;
};

class DrillWindowTest : public ::testing::Test {
 protected:
  void TearDown() override {
    window_.reset();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty()) << "a window outlived its test";
  }

  std::filesystem::path DatabaseFile() const { return folder_ / "words.mdb"; }
  void WriteWords(const std::vector<vorelka::testing::Words>& rows) {
    vorelka::testing::WriteWords(DatabaseFile(), jet::JetFormat::kJet4, rows);
  }

  // Builds the window; Load also runs its load event, as the program does.
  frmMain& Create(std::deque<float> draws = {kDrawKey1}) {
    random_ = std::make_unique<ScriptedRandom>(std::move(draws));
    window_ = std::make_unique<frmMain>(DrillServices{facts_, box_, *random_, end_, store_});
    return *window_;
  }
  frmMain& Load(std::deque<float> draws = {kDrawKey1}) {
    Create(std::move(draws)).Form_Load();
    return *window_;
  }

  template <typename T = QWidget>
  T* Find(const char* name) const {
    auto* found = window_->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no " << name;
    return found;
  }
  QString Text(const char* line_edit) const { return Find<QLineEdit>(line_edit)->text(); }
  QString Caption(const char* label) const { return Find<QLabel>(label)->text(); }
  QString Panel(int panel) const {
    return Caption(panel == 1 ? "StatusBar_Panel1" : "StatusBar_Panel2");
  }
  void ClickNext() { Find<QPushButton>("cmdAction_0")->click(); }
  void ClickShow() { Find<QPushButton>("cmdAction_1")->click(); }
  bool Checked(const char* action) const { return Find<QAction>(action)->isChecked(); }
  void Choose(const char* action) { Find<QAction>(action)->trigger(); }

  vorelka::testing::TempDir folder_;
  services::FixedAppFacts facts_{folder_.path().string()};
  services::testing::RecordingMessageBox box_;
  services::testing::RecordingProgramEnd end_;
  store::WordStore store_{facts_, box_};
  std::unique_ptr<ScriptedRandom> random_;
  std::unique_ptr<frmMain> window_;
};

}  // namespace vorelka::window::testing
