// A drill window over a real words.mdb in a temporary folder, with
// recording message boxes, a scripted random source and a program end that
// throws instead of exiting.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "services/app_facts.h"
#include "services/testing/recording.h"
#include "store/word_store.h"
#include "tests/window/words_database.h"
#include "window/frm_main.h"

namespace vorelka::window::testing {

using services::testing::ProgramEnded;
using services::testing::RecordingMessageBox;
using services::testing::RecordingProgramEnd;
using services::testing::ScriptedRandom;

// Keys 1..5 are drawn by the scripted values 0.1, 0.3, 0.5, 0.7 and 0.9
// (floor(r * 5 + 1)). Key 4's Russian word is a single blank; key 5 has
// no row.
inline const std::vector<WordRow> kFiveKeyWords = {
    {1, "house", "дом"}, {2, "water", "вода"},    {3, "to read", "читать"},
    {4, "space", " "},   {6, "unused", "лишний"},
};
inline constexpr float kDrawKey1 = 0.1f;
inline constexpr float kDrawKey2 = 0.3f;
inline constexpr float kDrawKey3 = 0.5f;
inline constexpr float kDrawBlankKey4 = 0.7f;
inline constexpr float kDrawMissingKey5 = 0.9f;

// Sets the application's UI font for one test, then puts the old one back.
class ScopedUiFont {
 public:
  explicit ScopedUiFont(const QFont& font) : old_(QApplication::font()) {
    QApplication::setFont(font);
  }
  ~ScopedUiFont() { QApplication::setFont(old_); }
  ScopedUiFont(const ScopedUiFont&) = delete;
  ScopedUiFont& operator=(const ScopedUiFont&) = delete;

 private:
  QFont old_;
};

// The platform's UI face at `points`.
inline QFont UiFont(qreal points) {
  QFont font = QApplication::font();
  font.setPointSizeF(points);
  return font;
}

// A UI font whose line fits the design's (13 px at 8 pt): the form keeps
// its design size.
inline QFont DesignFont() { return UiFont(8); }

class DrillWindowTest : public ::testing::Test {
 protected:
  void TearDown() override {
    window_.reset();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty()) << "a window outlived its test";
  }

  std::filesystem::path Folder() const { return folder_.path().toStdString(); }
  std::filesystem::path DatabaseFile() const { return Folder() / "words.mdb"; }
  void WriteWords(const std::vector<WordRow>& rows) { WriteWordsDatabase(DatabaseFile(), rows); }

  // Builds the window without loading it.
  frmMain& Create(std::deque<float> draws = {kDrawKey1}) {
    random_ = std::make_unique<ScriptedRandom>(std::move(draws));
    window_ = std::make_unique<frmMain>(DrillServices{facts_, box_, *random_, end_, store_});
    return *window_;
  }
  // Builds the window and runs its load event, as the program does.
  frmMain& Load(std::deque<float> draws = {kDrawKey1}) {
    Create(std::move(draws));
    window_->Form_Load();
    return *window_;
  }

  template <typename T>
  T* Find(const char* name) const {
    auto* found = window_->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no control " << name;
    return found;
  }
  QString Text(const char* line_edit) const { return Find<QLineEdit>(line_edit)->text(); }
  QString Caption(const char* label) const { return Find<QLabel>(label)->text(); }
  QString Panel(int panel) const {
    return Find<QLabel>(panel == 1 ? "StatusBar_Panel1" : "StatusBar_Panel2")->text();
  }
  void Click(const char* button) { Find<QPushButton>(button)->click(); }
  void ClickNext() { Click("cmdAction_0"); }
  void ClickShow() { Click("cmdAction_1"); }
  bool Checked(const char* action) const {
    auto* found = window_->findChild<QAction*>(QString::fromLatin1(action));
    EXPECT_NE(found, nullptr) << "no menu item " << action;
    return found != nullptr && found->isChecked();
  }
  void Choose(const char* action) {
    window_->findChild<QAction*>(QString::fromLatin1(action))->trigger();
  }

  // Spins the event loop until `done` holds or the time runs out.
  static bool WaitFor(const std::function<bool()>& done, int timeout_ms = 2000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
      if (timer.elapsed() > timeout_ms) return false;
      QTest::qWait(10);
    }
    return true;
  }

  QTemporaryDir folder_;
  services::FixedAppFacts facts_{folder_.path().toStdString()};
  RecordingMessageBox box_;
  RecordingProgramEnd end_;
  store::WordStore store_{facts_, box_};
  std::unique_ptr<ScriptedRandom> random_;
  std::unique_ptr<frmMain> window_;
};

}  // namespace vorelka::window::testing
