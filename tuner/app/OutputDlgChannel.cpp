// The channel page: equaliser mode and reset of the link group, the panel's
// own crossover (CH6 keeps its values to itself and its high-pass at most
// 100 Hz; CH10 takes no copies), the channel gain and the limiter.

#include <algorithm>

#include "tuner/app/OutputDlg.h"
#include "tuner/controls/ComBoxBtn.h"
#include "tuner/controls/NumEdit.h"
#include "tuner/controls/XPButton.h"
#include "tuner/link/CKTVCommand.h"
#include "tuner/model/CKTV_Data.h"
#include "tuner/platform/ControlId.h"
#include "tuner/platform/MessageBox.h"

namespace app {

namespace {

constexpr int kCh6 = 5;                // its crossover is its own
constexpr int kCh6HighPassLimit = 100;  // Hz
constexpr int kLastCopiedChannel = 8;   // CH10 takes no crossover copies

}  // namespace

void OutputDlg::OnModeButton() {
  const int mode = mode_->isOn() ? 0 : 1;
  const int answer = mode == 1 ? platform::messageBox(this, "是否把参量均衡模式转换为图示均衡模式?",
                                                      "Whether the PEQMode convert to GEQMode?",
                                                      platform::MessageButtons::OkCancel)
                               : platform::messageBox(this, "是否把图示均衡模式转换为参量均衡模式?",
                                                      "Whether the GEQMode convert to PEQMode?",
                                                      platform::MessageButtons::OkCancel);
  if (answer != platform::IDOK) return;
  ShowMode(mode);
  {
    LinkGuard hold(engine_.Lock());
    model_.ChangeEqMode(current_, mode);
  }
  ResetGroupEq();
}

void OutputDlg::OnResetButton() {
  if (platform::messageBox(this, "是否恢复所有EQ的初始值", "Whether the reset all EQ?",
                           platform::MessageButtons::OkCancel) != platform::IDOK) {
    return;
  }
  ResetGroupEq();
}

void OutputDlg::ResetGroupEq() {
  if (form_.resetLinkGroupEq) {
    form_.resetLinkGroupEq();  // the form mutes, resets, sends whole and refreshes the panel
  } else {
    LinkGuard hold(engine_.Lock());
    for (int ch = 0; ch < ::layout::kChannelCount; ++ch) {
      if (model_.Groups().Group(ch) == model_.Groups().Group(current_)) model_.Out(ch).ResetEq();
    }
  }
  Refresh();
  RedrawGraph();
}

void OutputDlg::CopyCrossoverToGroup() {
  if (current_ == kCh6) return;
  CKTV_OutData& from = Current();
  for (int ch = 0; ch <= kLastCopiedChannel; ++ch) {
    if (ch == current_ || model_.Groups().Group(ch) != model_.Groups().Group(current_)) continue;
    CKTV_OutData& to = model_.Out(ch);
    for (bool high : {true, false}) {
      const CFilter& src = high ? from.HighPass() : from.LowPass();
      CFilter& dst = high ? to.HighPass() : to.LowPass();
      dst.SetCrossoverType(src.CrossoverType(), true);
      dst.SetSlope(src.Slope(), true);
      dst.SetFrequency(src.Frequency(), true);
    }
  }
}

void OutputDlg::OnCrossoverType(bool highPass, int index) {
  {
    LinkGuard hold(engine_.Lock());
    CFilter& f = highPass ? Current().HighPass() : Current().LowPass();
    f.SetCrossoverType(index, true);
    CopyCrossoverToGroup();
    ShowChannelValues();
    ShowFormCrossover();
  }
  RedrawGraph(highPass ? 31 : 32);
}

void OutputDlg::OnCrossoverSlope(bool highPass, int index) {
  {
    LinkGuard hold(engine_.Lock());
    CFilter& f = highPass ? Current().HighPass() : Current().LowPass();
    f.SetSlope(index, true);
    CopyCrossoverToGroup();
    ShowFormCrossover();
  }
  RedrawGraph(highPass ? 31 : 32);
}

void OutputDlg::OnCrossoverFrequency(bool highPass) {
  {
    LinkGuard hold(engine_.Lock());
    CKTV_OutData& out = Current();
    int hz = (highPass ? hpEdit_ : lpEdit_)->getPos();
    if (highPass) {
      int limit = out.LowPass().Frequency();
      if (current_ == kCh6) limit = std::min(limit, kCh6HighPassLimit);
      hz = std::min(hz, limit);
      out.HighPass().SetFrequency(hz, true);
    } else {
      hz = std::max(hz, out.HighPass().Frequency());
      out.LowPass().SetFrequency(hz, true);
    }
    CopyCrossoverToGroup();
    ShowChannelValues();
    ShowFormCrossover();
  }
  RedrawGraph(highPass ? 31 : 32);
}

void OutputDlg::ShowFormCrossover() {
  if (!formWidget_) return;
  CKTV_OutData& out = Current();
  struct Mirror {
    int edit, type, slope;
    const CFilter& f;
  };
  // The main form's crossover shows the same channel (ids 5500 ... 5513).
  for (const Mirror& m : {Mirror{5500, 5510, 5511, out.HighPass()}, Mirror{5502, 5512, 5513, out.LowPass()}}) {
    if (auto* e = platform::findControl<controls::NumEdit>(formWidget_, m.edit)) e->setPos(m.f.Frequency());
    if (auto* c = platform::findControl<controls::ComBoxBtn>(formWidget_, m.type)) c->setCurSel(m.f.CrossoverType());
    if (auto* c = platform::findControl<controls::ComBoxBtn>(formWidget_, m.slope)) c->setCurSel(m.f.Slope());
  }
}

void OutputDlg::OnChannelGain() {
  {
    LinkGuard hold(engine_.Lock());
    Current().SetGain(channelGain_->getPos());  // the setter copies it to the link group
    ShowFormGain();
  }
  RedrawGraph();
}

void OutputDlg::OnLimiter(int controlId, int value) {
  LinkGuard hold(engine_.Lock());
  CKTV_OutData& out = Current();
  // Each setter copies the whole limiter to the link group.
  if (controlId == outids::kThreshold) out.SetLimiterThreshold(value);
  else if (controlId == outids::kAttack) out.SetLimiterAttack(value);
  else out.SetLimiterRelease(value);
  ShowChannelValues();
}

}  // namespace app
