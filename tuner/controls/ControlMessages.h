#pragma once
// Message numbers of the control kit. Sliders and drop-down buttons post them
// to their owner with the control id as wParam and the value as lParam.

namespace controls {

constexpr int kMsgSliderMoving = 10449;  // while dragging (at most every 50 ms) and on gaining the focus
constexpr int kMsgSliderMoved = 10450;   // on release, and after every key or wheel step
constexpr int kMsgSliderFocus = 1225;    // asks a slider to take the keyboard focus
constexpr int kMsgDropChoice = 1826;     // an entry of a drop-down list was chosen (id, index)

}  // namespace controls
