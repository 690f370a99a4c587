#pragma once
// Where everything sits on the 1280 x 686 main form, in pixels at 96 dpi:
// the panels the background draws and the place of every control the form
// creates, by control id. The background and the form both read this table,
// so the controls always land where the picture expects them.

#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

namespace app::layout {

constexpr int kFormWidth = 1280, kFormHeight = 686;
constexpr int kFrameWidth = 1284, kFrameHeight = 690;  // 2-pixel band cut away on every side
constexpr int kChannels = 10;

// Panels of the background.
constexpr QRect kHeader(0, 0, kFormWidth, 40);
constexpr QRect kGraph(10, 48, 830, 266);             // response graph, static 1000
constexpr QRect kCurveColumn(844, 48, 68, 266);       // "Line" switches beside the graph
constexpr QRect kCarPanel(918, 48, 352, 300);         // car picture with speaker positions
constexpr QRect kUnitRow(918, 352, 352, 40);          // delay unit buttons and their names
constexpr QRect kOutputPanel(10, 322, 902, 156);      // frame 1368 holding the output channel panel
constexpr QRect kChannelStrips(10, 486, 902, 194);    // CH1 ... CH10
constexpr QRect kCrossoverPanel(918, 398, 352, 124);  // HPF / LPF
constexpr QRect kSystemPanel(918, 528, 352, 152);     // VOL, REM Delay, InPut, Noise

// Channel strip rows (left column of the strips holds their names).
constexpr int kStripLabelWidth = 70;
constexpr int kStripColumnWidth = 83;
QRect ChannelButton(int i);    // 6703 + i
QRect MuteButton(int i);       // 6050 + i
QRect PhaseButton(int i);      // 1944 + i
QRect GainSlider(int i);       // 8650 + i
QRect GainEdit(int i);         // 8630 + i
QRect SpeakerTypeButton(int i);  // 3400 + i
QRect LineButton(int i);       // 2103 + i
QRect LineLabel(int i);        // 2428 + i

// A speaker position on the car picture and the delay edit shown beside it.
struct SpeakerSpot {
  int buttonId;     // 2700 ... 2717
  int delayEditId;  // 2580 ... 2597
  QPoint centre;
};
const std::vector<SpeakerSpot>& SpeakerSpots();
QRect SpeakerButton(const SpeakerSpot& spot);
QRect DelayEdit(const SpeakerSpot& spot);

// Any other control of the form by id; an empty rect for an id not placed here.
QRect ControlRect(int controlId);

// Control ids of the tool row, left to right, with their captions.
struct ToolButton {
  int id;
  const char* zh;
  const char* en;
  int width;
};
const std::vector<ToolButton>& ToolRow();

}  // namespace app::layout
