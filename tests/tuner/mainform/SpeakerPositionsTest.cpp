#include <gtest/gtest.h>

#include "tuner/app/SpeakerPositions.h"
#include "tuner/model/CKTV_Data.h"

using app::FindChannelOfType;

namespace {

TEST(SpeakerPositions, FindChannelOfType) {
  struct Case {
    std::vector<int> types;  // CH1, CH2, ...; the rest 0
    int asked;
    int expect;
  } cases[] = {
      {{2, 0, 2}, 2, 2},        // exact type: the last channel
      {{0, 4, 1}, 1, 1},        // group 1 (types 1 and 4): the first channel
      {{0, 6, 0, 3}, 3, 1},     // full range shown at the woofer position
      {{1, 7}, 13, -1},         // nobody drives it
      {{24, 0, 0, 24}, 24, 3},
  };
  for (const Case& c : cases) {
    CKTV_Data model;
    for (int ch = 0; ch < 10; ++ch) model.SetSpeakerType(ch, ch < static_cast<int>(c.types.size()) ? c.types[ch] : 0);
    EXPECT_EQ(FindChannelOfType(model, c.asked), c.expect) << "type " << c.asked;
  }
}

TEST(SpeakerPositions, EveryTypeHasOnePositionAndEachPositionItsDelayEdit) {
  for (int t = 1; t <= 24; ++t) {
    const app::SpeakerPosition* p = app::PositionOfType(t);
    ASSERT_NE(p, nullptr) << t;
    EXPECT_EQ(app::PositionOfDelayControl(p->delayEditId), p);
    EXPECT_EQ(app::PositionOfDelayControl(p->delaySpinId), p);
  }
  EXPECT_EQ(app::PositionOfType(5)->buttonId, 2704);
  EXPECT_EQ(app::PositionOfType(6)->buttonId, 2704);
  EXPECT_EQ(app::PositionOfType(0), nullptr);
  EXPECT_EQ(app::PositionOfDelayControl(2587), nullptr);
  EXPECT_EQ(app::PositionOfDelayControl(2590), nullptr);
}

}  // namespace
