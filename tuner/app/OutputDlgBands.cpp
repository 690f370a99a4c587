// The band page's edits and keys: every band edit runs the same six steps
// (model with marks, link group, sibling controls, all-bypass, graph,
// highlight), and the panel's keys walk the band rows with wrap-around.

#include <QKeyEvent>
#include <QMetaObject>

#include "tuner/app/OutputDlg.h"
#include "tuner/controls/BitmapSlider.h"
#include "tuner/controls/ComBoxBtn.h"
#include "tuner/controls/ControlMessages.h"
#include "tuner/controls/NumEdit.h"
#include "tuner/controls/NumSpin.h"
#include "tuner/controls/XPButton.h"
#include "tuner/link/CKTVCommand.h"
#include "tuner/model/CKTV_Data.h"
#include "tuner/platform/ControlId.h"

namespace app {

namespace ol = outlayout;
using controls::NumEdit;
using platform::LPARAM;

void OutputDlg::RegisterHandlers() {
  auto band = [](int id, int base) { return id - base; };
  const int last = ol::kBands - 1;
  messages_.onCommand(outids::kFrequency, outids::kFrequency + last, [this, band](int id) {
    const int b = band(id, outids::kFrequency);
    OnBandEdit(b, Field::Frequency, frequency_[b]->getPos());
  });
  messages_.onCommand(outids::kFrequencySpin, outids::kFrequencySpin + last, [this, band](int id) {
    const int b = band(id, outids::kFrequencySpin);
    OnBandEdit(b, Field::Frequency, frequency_[b]->getPos());
  });
  messages_.onCommand(outids::kQ, outids::kQ + last, [this, band](int id) {
    const int b = band(id, outids::kQ);
    OnBandEdit(b, Field::Q, q_[b]->getPos());
  });
  messages_.onCommand(outids::kQSpin, outids::kQSpin + last, [this, band](int id) {
    const int b = band(id, outids::kQSpin);
    OnBandEdit(b, Field::Q, q_[b]->getPos());
  });
  messages_.onCommand(outids::kGain, outids::kGain + last, [this, band](int id) {
    const int b = band(id, outids::kGain);
    OnBandEdit(b, Field::Gain, gain_[b]->getPos());
  });
  messages_.onCommand(outids::kGainSpin, outids::kGainSpin + last, [this, band](int id) {
    const int b = band(id, outids::kGainSpin);
    OnBandEdit(b, Field::Gain, gain_[b]->getPos());
  });
  messages_.onCommand(outids::kBypass, outids::kBypass + last,
                      [this, band](int id) { OnBypassButton(band(id, outids::kBypass)); });
  for (int msg : {controls::kMsgSliderMoving, controls::kMsgSliderMoved}) {
    messages_.onControl(msg, outids::kSlider, outids::kSlider + last,
                        [this, band](int id, LPARAM pos) { OnSlider(band(id, outids::kSlider), int(pos)); });
  }
  messages_.onCommand(outids::kPage, [this] { ShowChannelPage(!channelPage_); });
  messages_.onCommand(outids::kAllBypass, [this] { ToggleAllBypass(); });
  messages_.onCommand(outids::kAllBypassTwin, [this] { ToggleAllBypass(); });
  messages_.onCommand(outids::kMode, [this] { OnModeButton(); });
  messages_.onCommand(outids::kReset, [this] { OnResetButton(); });
  for (int id : {outids::kHighPassEdit, outids::kHighPassSpin}) {
    messages_.onCommand(id, [this] { OnCrossoverFrequency(true); });
  }
  for (int id : {outids::kLowPassEdit, outids::kLowPassSpin}) {
    messages_.onCommand(id, [this] { OnCrossoverFrequency(false); });
  }
  for (int id : {outids::kChannelGain, outids::kChannelGainSpin}) {
    messages_.onCommand(id, [this] { OnChannelGain(); });
  }
  for (int id : {outids::kThreshold, outids::kThresholdSpin}) {
    messages_.onCommand(id, [this] { OnLimiter(outids::kThreshold, threshold_->getPos()); });
  }
  for (int id : {outids::kAttack, outids::kAttackSpin}) {
    messages_.onCommand(id, [this] { OnLimiter(outids::kAttack, attack_->getPos()); });
  }
  messages_.onControl(controls::kMsgDropChoice, outids::kHighPassType, outids::kHighPassType,
                      [this](int, LPARAM i) { OnCrossoverType(true, int(i)); });
  messages_.onControl(controls::kMsgDropChoice, outids::kLowPassType, outids::kLowPassType,
                      [this](int, LPARAM i) { OnCrossoverType(false, int(i)); });
  messages_.onControl(controls::kMsgDropChoice, outids::kHighPassSlope, outids::kHighPassSlope,
                      [this](int, LPARAM i) { OnCrossoverSlope(true, int(i)); });
  messages_.onControl(controls::kMsgDropChoice, outids::kLowPassSlope, outids::kLowPassSlope,
                      [this](int, LPARAM i) { OnCrossoverSlope(false, int(i)); });
  messages_.onControl(controls::kMsgDropChoice, outids::kRelease, outids::kRelease,
                      [this](int, LPARAM i) { OnLimiter(outids::kRelease, int(i)); });
}

void OutputDlg::OnBandEdit(int b, Field field, int value) {
  NumEdit* edited = field == Field::Frequency ? frequency_[b] : field == Field::Q ? q_[b] : gain_[b];
  {
    LinkGuard hold(engine_.Lock());
    CFilter& band = Current().Band(b);
    // A bypassed band shows 0.0 dB: re-applying what it shows would lose its own gain.
    if (field == Field::Gain && band.IsInactive() && value == band.GainCode()) {
      ShowBand(b);
    } else {
      auto apply = [field, value](CFilter& f) {
        switch (field) {
          case Field::Frequency: f.SetFrequency(value, true); break;
          case Field::Q: f.SetBandwidthIndex(value); break;
          case Field::Gain: f.SetGainCode(value); break;
          case Field::Bypass: f.SetOff(value); break;
        }
      };
      apply(band);
      model_.Groups().ForEachOther(current_, [&](CKTV_OutData& other) { apply(other.Band(b)); });
      ShowBand(b);
      if (field == Field::Gain || field == Field::Bypass) ShowAllBypass();
    }
  }
  RedrawGraph(b);
  if (field == Field::Bypass) edited = nullptr;
  // After the edit's own focus-out handling, which drops its highlight.
  QMetaObject::invokeMethod(this, [this, b, edited] { Highlight(b, edited); }, Qt::QueuedConnection);
}

void OutputDlg::OnBypassButton(int b) { OnBandEdit(b, Field::Bypass, bypass_[b]->isOn() ? 0 : 1); }

void OutputDlg::OnSlider(int b, int pos) {
  // A report that a refresh has overtaken (another channel shown since) is dropped.
  if (pos != slider_[b]->pos()) return;
  gain_[b]->setPos(pos);
  OnBandEdit(b, Field::Gain, pos);
}

void OutputDlg::BandChangedFromGraph(int b) {
  if (b < 0 || b >= ol::kBands) return;
  {
    LinkGuard hold(engine_.Lock());
    const CFilter& band = Current().Band(b);
    model_.Groups().ForEachOther(current_, [&](CKTV_OutData& other) {
      CFilter& f = other.Band(b);
      f.SetFrequency(band.Frequency(), true);
      f.SetBandwidthIndex(band.BandwidthIndex());
      f.SetGainCode(band.GainCode());
    });
    ShowBand(b);
    ShowAllBypass();
  }
  RedrawGraph();
  Highlight(b, nullptr);
}

void OutputDlg::ToggleAllBypass() {
  if (form_.toggleAllBypass) {
    form_.toggleAllBypass();  // the form refreshes the panel
    return;
  }
  {
    // Without a form: the model alone. Bands that stay inactive keep the state on.
    LinkGuard hold(engine_.Lock());
    const int bypass = AllBandsBypassed() ? 0 : 1;
    for (int ch = 0; ch < ::layout::kChannelCount; ++ch) {
      if (model_.Groups().Group(ch) == model_.Groups().Group(current_)) model_.Out(ch).Filters().Bypass(bypass);
    }
  }
  Refresh();
  RedrawGraph();
}

// ---- keys ----

bool OutputDlg::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (w && HandleKey(w, static_cast<QKeyEvent*>(e)->key())) return true;
  }
  return QWidget::eventFilter(watched, e);
}

void OutputDlg::FocusSlider(int b) {
  platform::sendMessage(slider_[(b + ol::kBands) % ol::kBands], controls::kMsgSliderFocus);
}

bool OutputDlg::HandleKey(QWidget* target, int key) {
  const int id = platform::controlId(target);
  const int last = ol::kBands - 1;
  if (id >= outids::kSlider && id <= outids::kSlider + last) {
    const int b = id - outids::kSlider;
    if (key == Qt::Key_Left) FocusSlider(b - 1);
    else if (key == Qt::Key_Right) FocusSlider(b + 1);
    else return false;
    return true;
  }
  auto* edit = qobject_cast<NumEdit*>(target);
  if (!edit) return false;
  if (key == Qt::Key_Tab && edit == gain_[last]) {
    // Band 31's gain edit hands the focus on to CH1's gain edit on the main form.
    if (QWidget* next = formWidget_ ? platform::findControl(formWidget_, outids::kFormChannelGainEdit) : nullptr) {
      next->setFocus(Qt::TabFocusReason);
      return true;
    }
    return false;
  }
  if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape) return false;
  // The band rows in Enter order: along a row, then on to the next row.
  const std::array<std::array<NumEdit*, ol::kBands>*, 3> rows = {&frequency_, &q_, &gain_};
  for (size_t r = 0; r < rows.size() && key != Qt::Key_Escape; ++r) {
    const auto& row = *rows[r];
    const auto it = std::find(row.begin(), row.end(), edit);
    if (it == row.end()) continue;
    int at = int(r) * ol::kBands + int(it - row.begin());
    // Skip disabled edits (graphic mode); the gain row is always enabled.
    for (int step = 0; step < 3 * ol::kBands; ++step) {
      at = (at + 1) % (3 * ol::kBands);
      NumEdit* next = (*rows[at / ol::kBands])[at % ol::kBands];
      if (next->isEnabled()) {
        next->setFocus(Qt::OtherFocusReason);
        return true;
      }
    }
  }
  // Elsewhere Enter and Escape only commit: the focus goes to the form.
  if (formWidget_) formWidget_->setFocus(Qt::OtherFocusReason);
  else setFocus(Qt::OtherFocusReason);
  return true;
}

}  // namespace app
