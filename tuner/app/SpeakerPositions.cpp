#include "tuner/app/SpeakerPositions.h"

#include <algorithm>

#include "tuner/model/CKTV_Data.h"

namespace app {

namespace {

// Button, the type it stands for, its delay edit and spin.
const std::vector<SpeakerPosition> kPositions = {
    {2700, 1, 2580, 2610},  {2702, 2, 2581, 2611},  {2704, 3, 2582, 2612},  {2701, 7, 2583, 2613},
    {2703, 8, 2584, 2614},  {2705, 9, 2585, 2615},  {2706, 13, 2586, 2616}, {2708, 14, 2588, 2618},
    {2709, 16, 2589, 2619}, {2711, 17, 2591, 2621}, {2712, 22, 2592, 2622}, {2713, 24, 2593, 2623},
    {2714, 23, 2594, 2624}, {2715, 20, 2595, 2625}, {2716, 21, 2596, 2626}, {2717, 19, 2597, 2627},
};

// Types shown at another type's position.
struct TypeGroup {
  int type;
  std::vector<int> members;
};
const std::vector<TypeGroup> kGroups = {
    {1, {1, 4}}, {3, {3, 5, 6}}, {7, {7, 10}}, {9, {9, 11, 12}}, {14, {14, 15}}, {17, {17, 18}},
};

const TypeGroup* GroupOf(int t) {
  for (const TypeGroup& g : kGroups) {
    if (g.type == t) return &g;
  }
  return nullptr;
}

// The type whose position shows speaker type t.
int PositionTypeOf(int t) {
  for (const TypeGroup& g : kGroups) {
    if (std::find(g.members.begin(), g.members.end(), t) != g.members.end()) return g.type;
  }
  return t;
}

}  // namespace

const std::vector<SpeakerPosition>& SpeakerPositions() { return kPositions; }

const SpeakerPosition* PositionOfType(int t) {
  const int shown = PositionTypeOf(t);
  for (const SpeakerPosition& p : kPositions) {
    if (p.type == shown) return &p;
  }
  return nullptr;
}

const SpeakerPosition* PositionOfButton(int buttonId) {
  for (const SpeakerPosition& p : kPositions) {
    if (p.buttonId == buttonId) return &p;
  }
  return nullptr;
}

const SpeakerPosition* PositionOfDelayControl(int id) {
  for (const SpeakerPosition& p : kPositions) {
    if (p.delayEditId == id || p.delaySpinId == id) return &p;
  }
  return nullptr;
}

int FindChannelOfType(const CKTV_Data& model, int t) {
  const TypeGroup* group = GroupOf(t);
  int found = -1;
  for (int ch = 0; ch < layout::kChannelCount; ++ch) {
    const int type = model.SpeakerType(ch);
    if (group) {
      if (std::find(group->members.begin(), group->members.end(), type) != group->members.end()) return ch;
    } else if (type == t) {
      found = ch;
    }
  }
  return found;
}

}  // namespace app
