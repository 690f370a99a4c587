#pragma once
// Control ids of the main form (rows are a base plus the channel index).

namespace app::ids {

constexpr int kChannelButton = 6703, kMute = 6050, kPhase = 1944, kGainSlider = 8650, kGainEdit = 8630,
              kGainSpin = 8610, kSpeakerType = 3400, kLine = 2103, kLineLabel = 2428;
constexpr int kUnitMs = 2285, kUnitCm = 2286, kUnitInch = 2287;
constexpr int kHighPassEdit = 5500, kHighPassSpin = 5501, kHighPassSlope = 5511, kHighPassType = 5510;
constexpr int kLowPassEdit = 5502, kLowPassSpin = 5503, kLowPassSlope = 5513, kLowPassType = 5512;
constexpr int kVolumeEdit = 2225, kVolumeSpin = 2226, kVolumeSlider = 2227, kMasterSound = 2280;
constexpr int kControlDelayEdit = 5351, kControlDelaySpin = 5518;
constexpr int kSource = 2400, kNoiseGate = 2874;
constexpr int kMenu = 2065, kPresetMenu = 3415, kTypeReset = 3417, kRouting = 3418, kConnect = 1413, kLink = 2247,
              kResetEq = 2331, kAllBypass = 2388, kMinimise = 2281, kClose = 2282;
constexpr int kGraph = 1000, kOutputFrame = 1368;
constexpr int kPresetNameEdit = 1002, kPresetNameStatic = 2284;  // hidden
constexpr int kDelayEditFirst = 2580, kDelayEditLast = 2597, kDelaySpinFirst = 2610, kDelaySpinLast = 2627;
constexpr int kPositionFirst = 2700, kPositionLast = 2717;
constexpr int kDelayTabToFrame = 2585;  // Tab from this delay edit goes to the output frame

}  // namespace app::ids
