#include <gtest/gtest.h>

#include <limits>
#include <set>

#include "services/random.h"
#include "services/testing/recording.h"
#include "store/card_choice.h"

namespace vorelka::store {
namespace {

using services::testing::RecordingMessageBox;
using services::testing::ScriptedRandom;

constexpr float kJustBelowOne = 0.99999994f;  // the largest float under 1

TEST(PickRandomId, ReturnsZeroForNoPairsWithoutDrawing) {
  ScriptedRandom random;
  RecordingMessageBox box;
  EXPECT_EQ(PickRandomId(0, random, box), 0);
  EXPECT_EQ(random.draws, 0);
  EXPECT_EQ(random.randomize_calls, 1);
  EXPECT_TRUE(box.shown.empty());
}

TEST(PickRandomId, ReseedsOnEveryCallAndDrawsOnce) {
  ScriptedRandom random({0.1f, 0.5f, 0.95f});
  RecordingMessageBox box;
  EXPECT_EQ(PickRandomId(10, random, box), 2);
  EXPECT_EQ(PickRandomId(10, random, box), 6);
  EXPECT_EQ(PickRandomId(10, random, box), 10);
  EXPECT_EQ(random.randomize_calls, 3);
  EXPECT_EQ(random.draws, 3);
}

TEST(PickRandomId, MapsTheEndsOfTheIntervalToTheFirstAndLastKeyForAnyCount) {
  RecordingMessageBox box;
  for (const int32_t count : {1, 10, 2147483647}) {
    ScriptedRandom low({0.0f});
    ScriptedRandom high({kJustBelowOne});
    EXPECT_EQ(PickRandomId(count, low, box), 1) << count;
    const int32_t last = PickRandomId(count, high, box);
    EXPECT_GE(last, 1) << count;
    EXPECT_LE(last, count);
    if (count <= 10) {
      EXPECT_EQ(last, count);  // a float step under 1 is finer than 1/count
    }
  }
  EXPECT_TRUE(box.shown.empty());
}

TEST(PickRandomId, HitsEveryKeyFromOneToTenAndNothingElse) {
  services::ClockRandom random;
  RecordingMessageBox box;
  std::set<int32_t> keys;
  for (int i = 0; i < 2000; ++i) keys.insert(PickRandomId(10, random, box));
  EXPECT_EQ(keys, (std::set<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_TRUE(box.shown.empty());
}

TEST(PickRandomId, ReportsANegativeCountAndReturnsZero) {
  ScriptedRandom random({0.5f});
  RecordingMessageBox box;
  EXPECT_EQ(PickRandomId(-5, random, box), 0);
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].text.rfind("5 - ", 0), 0u) << box.shown[0].text;
  EXPECT_EQ(box.shown[0].style, services::MessageStyle::kExclamation);
}

TEST(PickRandomId, ReportsAGeneratorValueOutsideTheIntervalAndReturnsZero) {
  for (const float r : {1.0f, -0.5f, std::numeric_limits<float>::quiet_NaN(),
                        std::numeric_limits<float>::infinity()}) {
    ScriptedRandom random({r});
    RecordingMessageBox box;
    EXPECT_EQ(PickRandomId(10, random, box), 0) << r;
    ASSERT_EQ(box.shown.size(), 1u) << r;
    EXPECT_EQ(box.shown[0].text.rfind("6 - ", 0), 0u) << box.shown[0].text;
  }
}

}  // namespace
}  // namespace vorelka::store
