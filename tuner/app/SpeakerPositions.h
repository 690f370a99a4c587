#pragma once
// The speaker positions of the car picture: which speaker types each position
// button stands for, which delay edit belongs to it, and which channel drives
// a position.

#include <vector>

class CKTV_Data;

namespace app {

struct SpeakerPosition {
  int buttonId;     // 2700 ... 2717
  int type;         // the type the button stands for
  int delayEditId;  // 2580 ... 2597
  int delaySpinId;  // 2610 ... 2627
};

// The 16 positions in use.
const std::vector<SpeakerPosition>& SpeakerPositions();

// The position that shows speaker type t (1 ... 24), or nullptr.
const SpeakerPosition* PositionOfType(int t);
const SpeakerPosition* PositionOfButton(int buttonId);
const SpeakerPosition* PositionOfDelayControl(int editOrSpinId);

// The channel that drives speaker type t: for a grouped type (1, 3, 7, 9, 14,
// 17) the first channel whose type is in the group, for any other type the
// last channel of exactly that type; -1 when none does.
int FindChannelOfType(const CKTV_Data& model, int t);

}  // namespace app
