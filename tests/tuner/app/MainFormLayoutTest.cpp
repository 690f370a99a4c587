#include <gtest/gtest.h>

#include <map>

#include "tuner/app/MainFormLayout.h"

using namespace app::layout;

// Every control placed on the form lies on the form and on no other control.
TEST(MainFormLayout, ControlsLieOnTheFormWithoutOverlapping) {
  std::vector<int> ids;
  for (int i = 0; i < kChannels; ++i) {
    for (int base : {6703, 6050, 1944, 8650, 8630, 3400, 2103, 2428}) ids.push_back(base + i);
  }
  for (const SpeakerSpot& s : SpeakerSpots()) {
    ids.push_back(s.buttonId);
    ids.push_back(s.delayEditId);
  }
  for (const ToolButton& b : ToolRow()) ids.push_back(b.id);
  for (int id : {2285, 2286, 2287, 5500, 5502, 5510, 5511, 5512, 5513, 2225, 2227, 2280, 5351, 2400, 2874}) {
    ids.push_back(id);
  }
  const QRect form(0, 0, kFormWidth, kFormHeight);
  std::map<int, QRect> rects;
  for (int id : ids) {
    const QRect r = ControlRect(id);
    ASSERT_FALSE(r.isEmpty()) << id;
    EXPECT_TRUE(form.contains(r)) << id;
    rects[id] = r;
  }
  for (auto a = rects.begin(); a != rects.end(); ++a) {
    for (auto b = std::next(a); b != rects.end(); ++b) {
      EXPECT_FALSE(a->second.intersects(b->second)) << a->first << " overlaps " << b->first;
    }
  }
  EXPECT_TRUE(ControlRect(4242).isEmpty());
}
