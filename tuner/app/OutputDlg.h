#pragma once
// The output channel panel: the 31-band equaliser editor of the current
// output channel, a child of the main form's frame control 1368. Every value
// lives in the model; the panel shows it and turns each edit into a setter
// call under the link lock, copied to the channel's link group.
//
// The frame is smaller than the panel's full template, so the panel has two
// pages over the same area: the band page (31 columns of number, frequency,
// Q and gain edits, gain slider and "BY" button) and the channel page (mode,
// reset, all-bypass, the panel's crossover, gain edit 1625 and the limiter).
// The button in the top-left corner of both pages switches between them; the
// channel page's controls are tab stops of the panel while it is shown.

#include <QPixmap>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

#include "tuner/app/OutputDlgLayout.h"
#include "tuner/app/OutputPanel.h"
#include "tuner/platform/MessageMap.h"

class CKTV_Data;
class CKTV_OutData;
class CKTVCommand;

namespace controls {
class BitmapSlider;
class ComBoxBtn;
class CTransparentStatic;
class NumEdit;
class XPButton;
}  // namespace controls

namespace graph {
class CFStatic;
}

namespace app {

// Control ids of the panel (template 136); band rows are a base plus the band.
namespace outids {
constexpr int kNumberLabel = 5280, kFrequency = 5200, kFrequencySpin = 5240, kQ = 4500, kQSpin = 4540,
              kGain = 5000, kGainSpin = 5040, kSlider = 5100, kBypass = 5320;
constexpr int kMode = 5686, kReset = 5687, kAllBypass = 1976, kAllBypassTwin = 1870;
constexpr int kHighPassType = 1001, kHighPassSlope = 1014, kHighPassEdit = 1004, kHighPassSpin = 1351;
constexpr int kLowPassType = 1013, kLowPassSlope = 1015, kLowPassEdit = 1005, kLowPassSpin = 1352;
constexpr int kChannelGain = 1625, kChannelGainSpin = 1626;
constexpr int kThreshold = 1010, kThresholdSpin = 1308, kAttack = 1609, kAttackSpin = 1613, kRelease = 1614;
constexpr int kPage = 1369;  // the page switch (not in the template: the frame is smaller than it)
// Main-form controls the panel talks to.
constexpr int kFormAllBypass = 2388, kFormChannelGainEdit = 8630, kFormChannelGainSlider = 8650, kGraph = 1000;
}  // namespace outids

// What the panel asks of the main form for multi-channel device work: both
// mute the link group, change it, send its channels whole, restore the group
// and refresh the panel. Left empty, the panel changes the model only.
struct OutputDlgForm {
  std::function<void()> toggleAllBypass;   // the form's button 2388
  std::function<void()> resetLinkGroupEq;  // every equaliser of the current channel's link group
};

class OutputDlg : public QWidget, public OutputPanel {
  Q_OBJECT
 public:
  // form: the main view's form, in which the panel looks up button 2388,
  // the channel gain row and the graph by control id.
  OutputDlg(CKTV_Data& model, CKTVCommand& engine, QWidget* form, QWidget* parent);

  void SetFormHooks(OutputDlgForm hooks) { form_ = std::move(hooks); }

  // Interfaces of the view.
  void SetChannel(int n);
  int Channel() const { return current_; }
  void Refresh() override;
  void Relabel() override;
  void BandChangedFromGraph(int band) override;
  // The panel's all-bypass buttons: the same toggle as the form's 2388.
  void ToggleAllBypass();

  // The page shown (the channel page brings mode, crossover and limiter in view).
  void ShowChannelPage(bool channelPage);
  bool IsChannelPageShown() const { return channelPage_; }
  // The band label and numeric edit highlighted last (-1 / nullptr for none).
  int HighlightedBand() const { return highlightedBand_; }
  controls::NumEdit* HighlightedEdit() const { return highlightedEdit_; }

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;

 private:
  enum class Field { Frequency, Q, Gain, Bypass };

  // Building (OutputDlg.cpp).
  void CreateBandColumns();
  void CreateChannelPage();
  controls::NumEdit* MakeEdit(int editId, int spinId, int type, int minimum, int maximum, double scale = 1.0,
                              double offset = 0.0);
  void RegisterHandlers();
  void SetTabOrder();

  // Showing the model (OutputDlg.cpp).
  CKTV_OutData& Current();
  void ShowMode(int mode);
  void ShowBand(int band);
  void ShowAllBypass();
  bool AllBandsBypassed() const;
  void ShowChannelValues();
  void ShowFormGain();
  void ShowFormCrossover();
  void Highlight(int band, controls::NumEdit* edit);
  void RedrawGraph(int index = -1);
  graph::CFStatic* Graph() const;

  // Band edits (OutputDlgBands.cpp).
  void OnBandEdit(int band, Field field, int value);
  void OnBypassButton(int band);
  void OnSlider(int band, int pos);
  bool HandleKey(QWidget* target, int key);
  void FocusSlider(int band);

  // Channel page (OutputDlgChannel.cpp).
  void OnModeButton();
  void OnResetButton();
  void ResetGroupEq();
  void OnCrossoverType(bool highPass, int index);
  void OnCrossoverSlope(bool highPass, int index);
  void OnCrossoverFrequency(bool highPass);
  void CopyCrossoverToGroup();
  void OnChannelGain();
  void OnLimiter(int controlId, int value);

  CKTV_Data& model_;
  CKTVCommand& engine_;
  QWidget* formWidget_;
  OutputDlgForm form_;
  platform::MessageMap messages_;
  QPixmap background_[2][2];  // [chinese][page]

  std::array<controls::CTransparentStatic*, outlayout::kBands> number_{};
  std::array<controls::NumEdit*, outlayout::kBands> frequency_{}, q_{}, gain_{};
  std::array<controls::BitmapSlider*, outlayout::kBands> slider_{};
  std::array<controls::XPButton*, outlayout::kBands> bypass_{};
  controls::XPButton *page_ = nullptr, *mode_ = nullptr, *reset_ = nullptr, *allBypass_ = nullptr,
                     *allBypassTwin_ = nullptr;
  controls::ComBoxBtn *hpType_ = nullptr, *hpSlope_ = nullptr, *lpType_ = nullptr, *lpSlope_ = nullptr,
                      *release_ = nullptr;
  controls::NumEdit *hpEdit_ = nullptr, *lpEdit_ = nullptr, *channelGain_ = nullptr, *threshold_ = nullptr,
                    *attack_ = nullptr;
  std::vector<QWidget*> bandPage_, channelControls_;

  int current_ = 0;
  bool allBypassShown_ = false;
  int modeShown_ = 0;
  bool channelPage_ = false;
  int highlightedBand_ = -1;
  controls::NumEdit* highlightedEdit_ = nullptr;
};

}  // namespace app
