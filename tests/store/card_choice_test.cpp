#include <gtest/gtest.h>

#include <limits>

#include "services/testing/recording.h"
#include "store/card_choice.h"

namespace vorelka::store {
namespace {

using services::testing::RecordingMessageBox;
using services::testing::ScriptedRandom;

TEST(PickRandomId, ReseedsOnEveryCallAndMapsEachDrawToOneKeyFromOneToTheCount) {
  ScriptedRandom random({0.0f, 0.1f, 0.5f, 0.99999994f /* the largest float under 1 */});
  RecordingMessageBox box;
  EXPECT_EQ(PickRandomId(0, random, box), 0);
  EXPECT_EQ(random.draws, 0) << "no pairs, no draw";
  for (const int32_t key : {1, 2, 6, 10}) EXPECT_EQ(PickRandomId(10, random, box), key);
  EXPECT_EQ(random.randomize_calls, 5);
  EXPECT_EQ(random.draws, 4);
  ScriptedRandom high({0.99999994f});
  const int32_t last = PickRandomId(2147483647, high, box);
  EXPECT_GE(last, 1);
  EXPECT_LE(last, 2147483647);
  EXPECT_TRUE(box.shown.empty());
}

TEST(PickRandomId, ReportsANegativeCountOrADrawOutsideTheIntervalAndReturnsZero) {
  const struct {
    int32_t count;
    float r;
    const char* report;
  } cases[] = {
      {-5, 0.5f, "5 - "},
      {10, 1.0f, "6 - "},
      {10, -0.5f, "6 - "},
      {10, std::numeric_limits<float>::quiet_NaN(), "6 - "},
      {10, std::numeric_limits<float>::infinity(), "6 - "},
  };
  for (const auto& c : cases) {
    ScriptedRandom random({c.r});
    RecordingMessageBox box;
    EXPECT_EQ(PickRandomId(c.count, random, box), 0) << c.r;
    ASSERT_EQ(box.shown.size(), 1u) << c.r;
    EXPECT_EQ(box.shown[0].text.rfind(c.report, 0), 0u) << box.shown[0].text;
  }
}

}  // namespace
}  // namespace vorelka::store
