// A long drill in the real window over a real words.mdb: thousands of
// presses of Next and Show in both directions open and close the database
// each time. Under the sanitizer build LeakSanitizer checks at exit that
// nothing was left behind; in every build the resident set must stay flat
// once the first presses have warmed the caches.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <fstream>
#include <string>

#include "services/app_facts.h"
#include "services/random.h"
#include "services/testing/recording.h"
#include "store/word_store.h"
#include "tests/support/test_files.h"
#include "window/frm_main.h"

namespace vorelka::reliability {
namespace {

// AddressSanitizer holds freed memory back (its quarantine), so the
// resident set grows there without a leak; LeakSanitizer judges leaks in
// that build instead.
#ifndef __has_feature
#define __has_feature(feature) 0
#endif
#if defined(__SANITIZE_ADDRESS__) || __has_feature(address_sanitizer)
constexpr bool kMemoryHeldBack = true;
#else
constexpr bool kMemoryHeldBack = false;
#endif

// The resident set of this process in KiB, from /proc.
long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

TEST(LongDrill, TenThousandPressesLeaveNoLeakAndAFlatResidentSet) {
  testing::TempDir folder;
  testing::WriteWords(folder / "words.mdb", jet::JetFormat::kJet4, testing::NumberedRows(500));
  const services::FixedAppFacts facts(folder.path().string());
  services::testing::RecordingMessageBox box;
  services::testing::RecordingProgramEnd end;
  services::ClockRandom random;
  store::WordStore store(facts, box);
  window::frmMain form(window::DrillServices{facts, box, random, end, store});
  form.Form_Load();
  auto* question = form.findChild<QLineEdit*>("txtQuestion");
  auto* answer = form.findChild<QLineEdit*>("txtAnswer");
  ASSERT_NE(question, nullptr);
  ASSERT_NE(answer, nullptr);

  const char* asked = std::getenv("VORELKA_LONG_DRILL_PRESSES");
  const int presses = asked != nullptr ? std::atoi(asked) : 10000;
  const int warm_up = std::min(presses / 10, 1000);
  long after_warm_up = 0;
  for (int i = 0; i < presses; ++i) {
    if (i == presses / 2) form.mnuSettingsEnglish_Click();  // the other direction
    form.cmdAction_Click(window::kCmdNext);
    form.cmdAction_Click(window::kCmdShow);
    ASSERT_FALSE(question->text().isEmpty()) << "press " << i;
    ASSERT_FALSE(answer->text().isEmpty()) << "press " << i;
    if (i + 1 == warm_up) after_warm_up = ResidentKiB();
  }
  const long at_end = ResidentKiB();
  RecordProperty("rss_after_warm_up_kib", std::to_string(after_warm_up));
  RecordProperty("rss_at_end_kib", std::to_string(at_end));
  std::printf("presses %d: RSS after %d presses %ld KiB, at the end %ld KiB\n", presses, warm_up,
              after_warm_up, at_end);
  EXPECT_TRUE(box.shown.empty()) << box.shown.front().text;
  // A leak of even one small block per press would add hundreds of KiB.
  if (!kMemoryHeldBack) {
    EXPECT_LT(at_end - after_warm_up, 2048) << "the resident set grew";
  }
}

}  // namespace
}  // namespace vorelka::reliability
