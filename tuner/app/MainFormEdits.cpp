// The edit loop of the main form: each handler reads the control, writes the
// model through a setter under the link lock, moves the sibling controls,
// refreshes the linked channels and redraws the graph. Nothing is sent from
// here except the system items.

#include <QWidget>

#include <algorithm>

#include "tuner/app/CDSP550View.h"
#include "tuner/app/MainForm.h"
#include "tuner/app/MainFormIds.h"
#include "tuner/app/SpeakerPositions.h"
#include "tuner/controls/BitmapSlider.h"
#include "tuner/controls/ComBoxBtn.h"
#include "tuner/controls/ControlMessages.h"
#include "tuner/controls/NumEdit.h"
#include "tuner/controls/NumSpin.h"
#include "tuner/controls/XPButton.h"
#include "tuner/filters/CFStatic.h"
#include "tuner/link/Protocol.h"
#include "tuner/model/CKTV_Data.h"

namespace app {

using namespace controls;

namespace {
constexpr int kDefinedCrossoverTypes = 3;
constexpr int kSourceCount = 6, kNoiseGateCount = 9, kSlopeCount = 9;
}  // namespace

void MainForm::RegisterHandlers() {
  platform::MessageMap& m = view_.Messages();
  const int last = ::layout::kChannelCount - 1;
  m.onCommand(ids::kMute, ids::kMute + last, [this](int id) { OnMute(id); });
  m.onCommand(ids::kPhase, ids::kPhase + last, [this](int id) { OnPhase(id); });
  m.onCommand(ids::kGainEdit, ids::kGainEdit + last, [this](int id) { OnGainEdit(id - ids::kGainEdit); });
  m.onCommand(ids::kGainSpin, ids::kGainSpin + last, [this](int id) { OnGainEdit(id - ids::kGainSpin); });
  m.onControl(kMsgSliderMoving, ids::kGainSlider, ids::kGainSlider + last,
              [this](int id, platform::LPARAM pos) { OnGainSlider(id, static_cast<int>(pos), false); });
  m.onControl(kMsgSliderMoved, ids::kGainSlider, ids::kGainSlider + last,
              [this](int id, platform::LPARAM pos) { OnGainSlider(id, static_cast<int>(pos), true); });
  m.onCommand(ids::kLine, ids::kLine + last, [this](int id) { OnLine(id); });
  m.onCommand(ids::kChannelButton, ids::kChannelButton + last, [this](int id) { OnChannelButton(id); });
  m.onCommand(ids::kSpeakerType, ids::kSpeakerType + last, [this](int id) {
    const int ch = id - ids::kSpeakerType;
    if (ch != current_) SelectChannel(ch);
    if (openTypeMenu_) openTypeMenu_(ch);
  });
  m.onCommand(ids::kPositionFirst, ids::kPositionLast, [this](int id) { OnSpeakerPosition(id); });
  m.onCommand(ids::kDelayEditFirst, ids::kDelayEditLast, [this](int id) { OnDelayEdit(id); });
  m.onCommand(ids::kDelaySpinFirst, ids::kDelaySpinLast, [this](int id) { OnDelayEdit(id); });
  m.onCommand(ids::kUnitMs, ids::kUnitInch, [this](int id) { OnDelayUnit(id); });
  m.onCommand(ids::kHighPassEdit, ids::kHighPassSpin, [this](int) { OnCrossoverFrequency(true); });
  m.onCommand(ids::kLowPassEdit, ids::kLowPassSpin, [this](int) { OnCrossoverFrequency(false); });
  for (int id : {ids::kHighPassType, ids::kHighPassSlope, ids::kLowPassType, ids::kLowPassSlope, ids::kSource,
                 ids::kNoiseGate}) {
    m.onControl(kMsgDropChoice, id, id, [this](int from, platform::LPARAM index) {
      OnDropChoice(from, static_cast<int>(index));
    });
  }
  m.onCommand(ids::kVolumeEdit, ids::kVolumeSpin, [this](int) {
    OnMasterVolume(volumeEdit_->spin()->pos(), false);
  });
  m.onControl(kMsgSliderMoving, ids::kVolumeSlider, ids::kVolumeSlider,
              [this](int, platform::LPARAM pos) { OnMasterVolume(static_cast<int>(pos), true); });
  m.onControl(kMsgSliderMoved, ids::kVolumeSlider, ids::kVolumeSlider, [this](int, platform::LPARAM pos) {
    OnMasterVolume(static_cast<int>(pos), true);
    volumeEdit_->setFocus(Qt::OtherFocusReason);
  });
  m.onCommand(ids::kMasterSound, [this] { OnMasterSound(); });
  m.onCommand(ids::kControlDelayEdit, [this] { OnControlDelay(); });
  m.onCommand(ids::kControlDelaySpin, [this] { OnControlDelay(); });
  m.on(graph::kMsgGraphChanged, [this](platform::WPARAM index, platform::LPARAM) {
    OnGraphChanged(static_cast<int>(index));
    return platform::LRESULT{0};
  });
  // Tool row.
  m.onCommand(ids::kMenu, [this] { ShowMenu(ids::kMenu); });
  m.onCommand(ids::kPresetMenu, [this] { ShowMenu(ids::kPresetMenu); });
  m.onCommand(ids::kConnect, [this] { OnConnectButton(); });
  m.onCommand(ids::kResetEq, [this] { ResetCurrentEq(); });
  m.onCommand(ids::kAllBypass, [this] { ToggleAllBypass(); });
  m.onCommand(ids::kMinimise, [this] { view_.window()->showMinimized(); });
  m.onCommand(ids::kClose, [this] { OnClose(); });
  for (int id : {ids::kTypeReset, ids::kRouting, ids::kLink}) {
    m.onCommand(id, [this, id] {
      const auto it = actions_.find(id);
      if (it != actions_.end() && it->second) it->second();
    });
  }
  connect(&view_, &CDSP550View::linkEvent, this, [this](int msg, qintptr, qintptr) { OnLinkEvent(msg); });
  connect(&view_, &CDSP550View::linkOpened, this, [this] { tool_[ids::kConnect]->setOn(true); });
  connect(&view_, &CDSP550View::linkClosed, this, [this] { tool_[ids::kConnect]->setOn(false); });
}

void MainForm::ForEachOtherInGroup(int ch, const std::function<void(CKTV_OutData&)>& fn) {
  model_.Groups().ForEachOther(ch, fn);
}

void MainForm::OnMute(int id) {
  const int ch = id - ids::kMute;
  LinkGuard hold(engine_.Lock());
  CKTV_OutData& out = model_.Out(ch);
  out.SetSoundOn(out.SoundOn() ? 0 : 1);
  mute_[ch]->setOn(out.SoundOn() == 0);
}

void MainForm::OnPhase(int id) {
  const int ch = id - ids::kPhase;
  LinkGuard hold(engine_.Lock());
  CKTV_OutData& out = model_.Out(ch);
  out.SetPhase(out.Phase() ? 0 : 1);
  phase_[ch]->setOn(out.Phase() != 0);
  ForEachOtherInGroup(ch, [this](CKTV_OutData& other) { phase_[other.Index()]->setOn(other.Phase() != 0); });
}

void MainForm::OnGainEdit(int ch) {
  const int code = gainEdit_[ch]->spin()->pos();
  LinkGuard hold(engine_.Lock());
  model_.Out(ch).SetGain(code);
  gainSlider_[ch]->setPos(code);
  ForEachOtherInGroup(ch, [this](CKTV_OutData& other) { ShowChannelGain(other.Index()); });
}

void MainForm::OnGainSlider(int id, int pos, bool moved) {
  const int ch = id - ids::kGainSlider;
  {
    LinkGuard hold(engine_.Lock());
    model_.Out(ch).SetGain(pos);
    gainEdit_[ch]->setPos(pos);
    ForEachOtherInGroup(ch, [this](CKTV_OutData& other) { ShowChannelGain(other.Index()); });
  }
  if (moved) gainEdit_[ch]->setFocus(Qt::OtherFocusReason);
}

void MainForm::OnLine(int id) {
  const int ch = id - ids::kLine;
  if (ch == current_) return;
  graph_->SetCurveVisible(ch, !graph_->IsCurveVisible(ch));
  lineButton_[ch]->setOn(graph_->IsCurveVisible(ch));
}

void MainForm::OnChannelButton(int id) {
  const int ch = id - ids::kChannelButton;
  if (ch != current_) SelectChannel(ch);
}

void MainForm::OnSpeakerPosition(int id) {
  const SpeakerPosition* p = PositionOfButton(id);
  if (!p) return;
  int ch;
  {
    LinkGuard hold(engine_.Lock());
    ch = FindChannelOfType(model_, p->type);
  }
  if (ch >= 0) SelectChannel(ch);
}

void MainForm::OnDelayEdit(int id) {
  const SpeakerPosition* p = PositionOfDelayControl(id);
  if (!p) return;
  const int code = delayEdit_[p->delayEditId]->spin()->pos();
  int ch;
  {
    LinkGuard hold(engine_.Lock());
    ch = FindChannelOfType(model_, p->type);
    if (ch < 0) return;
    if (model_.Out(ch).Delay() != code) model_.Out(ch).SetDelay(code);
  }
  if (ch != current_) SelectChannel(ch);
}

void MainForm::OnDelayUnit(int id) {
  delayUnit_ = id == ids::kUnitMs ? kDelayMs : id == ids::kUnitCm ? kDelayCm : kDelayInch;
  ShowDelayUnit();
}

void MainForm::OnCrossoverType(bool highPass, int index) {
  {
    LinkGuard hold(engine_.Lock());
    auto filterOf = [highPass](CKTV_OutData& out) -> CFilter& { return highPass ? out.HighPass() : out.LowPass(); };
    filterOf(model_.Out(current_)).SetCrossoverType(index, true);
    ForEachOtherInGroup(current_, [&](CKTV_OutData& other) { filterOf(other).SetCrossoverType(index, true); });
  }
  RefillCrossover(current_);
  RedrawCurves(highPass ? graph::kHighPassIndex : graph::kLowPassIndex);
}

void MainForm::OnCrossoverSlope(bool highPass, int index) {
  {
    LinkGuard hold(engine_.Lock());
    auto filterOf = [highPass](CKTV_OutData& out) -> CFilter& { return highPass ? out.HighPass() : out.LowPass(); };
    CFilter& f = filterOf(model_.Out(current_));
    if (f.CrossoverType() < 0 || f.CrossoverType() >= kDefinedCrossoverTypes) return;
    f.SetSlope(index, true);
    ForEachOtherInGroup(current_, [&](CKTV_OutData& other) { filterOf(other).SetSlope(index, true); });
  }
  RedrawCurves(highPass ? graph::kHighPassIndex : graph::kLowPassIndex);
}

// The high-pass never rises above the low-pass, nor the low-pass below the
// high-pass: an edit past the other ends equal to it.
void MainForm::OnCrossoverFrequency(bool highPass) {
  NumEdit* edit = highPass ? hpEdit_ : lpEdit_;
  int hz = edit->spin()->pos();
  {
    LinkGuard hold(engine_.Lock());
    CKTV_OutData& out = model_.Out(current_);
    if (highPass) hz = std::min(hz, out.LowPass().Frequency());
    if (!highPass) hz = std::max(hz, out.HighPass().Frequency());
    edit->setPos(hz);
    auto filterOf = [highPass](CKTV_OutData& o) -> CFilter& { return highPass ? o.HighPass() : o.LowPass(); };
    filterOf(out).SetFrequency(hz, true);
    ForEachOtherInGroup(current_, [&](CKTV_OutData& other) { filterOf(other).SetFrequency(hz, true); });
  }
  RedrawCurves(highPass ? graph::kHighPassIndex : graph::kLowPassIndex);
}

void MainForm::OnMasterVolume(int value, bool fromSlider) {
  if (fromSlider) {
    volumeEdit_->setPos(value);
  } else {
    volumeSlider_->setPos(value);
  }
  LinkGuard hold(engine_.Lock());
  if (value == model_.MasterVolume()) return;
  model_.SetMasterVolume(value);
  model_.SetMasterSound(1);
  soundToggle_->setOn(true);
  // The slider leaves the item to the writer's next pull, connected or not.
  if (fromSlider) {
    model_.MarkSystem(protocol::kItem144);
  } else {
    SendSystemItem(protocol::kItem144);
  }
}

void MainForm::OnMasterSound() {
  LinkGuard hold(engine_.Lock());
  model_.SetMasterSound(model_.MasterSound() ? 0 : 1);
  soundToggle_->setOn(model_.MasterSound() != 0);
  SendSystemItem(protocol::kItem144);
}

void MainForm::OnControlDelay() {
  LinkGuard hold(engine_.Lock());
  model_.SetControlDelay(controlDelayEdit_->spin()->pos());
  SendSystemItem(protocol::kItem144);
}

void MainForm::OnDropChoice(int id, int index) {
  switch (id) {
    case ids::kHighPassType:
    case ids::kLowPassType:
      if (index >= 0 && index < kDefinedCrossoverTypes) OnCrossoverType(id == ids::kHighPassType, index);
      return;
    case ids::kHighPassSlope:
    case ids::kLowPassSlope:
      if (index >= 0 && index < kSlopeCount) OnCrossoverSlope(id == ids::kHighPassSlope, index);
      return;
    case ids::kSource: {
      if (index < 0 || index >= kSourceCount) return;
      LinkGuard hold(engine_.Lock());
      model_.SetSource(index);
      SendSystemItem(protocol::kItem144);
      return;
    }
    case ids::kNoiseGate: {
      if (index < 0 || index >= kNoiseGateCount) return;
      LinkGuard hold(engine_.Lock());
      model_.SetNoiseGate(index);
      SendSystemItem(protocol::kItem150);
      return;
    }
    default:
      return;
  }
}

// The graph changed the current channel's model itself; the form shows the
// new values and copies them to the channel's link group.
void MainForm::OnGraphChanged(int index) {
  if (graphMode_ != kGraphModeCurrentChannel) return;
  {
    LinkGuard hold(engine_.Lock());
    CKTV_OutData& out = model_.Out(current_);
    if (index == graph::kHighPassIndex || index == graph::kLowPassIndex) {
      const bool highPass = index == graph::kHighPassIndex;
      const int hz = highPass ? out.HighPass().Frequency() : out.LowPass().Frequency();
      (highPass ? hpEdit_ : lpEdit_)->setPos(hz);
      ForEachOtherInGroup(current_, [&](CKTV_OutData& other) {
        (highPass ? other.HighPass() : other.LowPass()).SetFrequency(hz, true);
      });
    } else if (index >= 0 && index < ::layout::kBandCount) {
      const CFilter& band = out.Band(index);
      ForEachOtherInGroup(current_, [&](CKTV_OutData& other) {
        CFilter& copy = other.Band(index);
        copy.SetFrequency(band.Frequency(), true);
        copy.SetBandwidthIndex(band.BandwidthIndex());
        copy.SetGainCode(band.GainCode());
      });
    } else {
      return;
    }
  }
  if (panel_ && index < ::layout::kBandCount) panel_->BandChangedFromGraph(index);
  RedrawCurves();
}

}  // namespace app
