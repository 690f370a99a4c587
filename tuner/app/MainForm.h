#pragma once
// The controls of the main form and the editing workflow behind them: ten
// channel strips, the curve switches, the car picture with speaker positions
// and delays, the crossover of the current channel, the system values and the
// tool row. Every edit goes into the model through the channel setters under
// the link lock (marked only while connected) and nothing is sent from a
// handler, except the system items 144 and 150, which are pushed at once.
// Created by the view in its first initialisation; it registers its handlers
// in the view's message map and hears the link through the view's signals.

#include <QObject>
#include <QPointer>

#include <array>
#include <functional>
#include <map>

#include "tuner/app/OutputPanel.h"
#include "tuner/model/ParamImage.h"

class CKTV_Data;
class CKTV_OutData;
class CKTVCommand;
class QWidget;

namespace controls {
class BitmapSlider;
class BtnPng;
class ComBoxBtn;
class CTransparentStatic;
class NumEdit;
class NumSpin;
class XPButton;
}  // namespace controls

namespace graph {
class CFStatic;
}

namespace app {

class CDSP550View;

// Ids of the form's pop-up menu entries (menu 2065 and load/save 3415).
enum MenuCommand : int {
  kMenuFirmwareUpdate = 1,
  kMenuLanguage = 2,
  kMenuAbout = 3,
  kMenuPresetOpen = 4,
  kMenuPresetSave = 5,
};

// The graph's current-curve mode that means "the current output channel".
constexpr int kGraphModeCurrentChannel = 3;
constexpr int kDelayMs = 0, kDelayCm = 1, kDelayInch = 2;

// One left/right pair of the link (kept by the link dialog, read here).
struct PairLink {
  int enabled = 0;
  int left = 0, right = 0;
};
constexpr int kPairCount = 10;

class MainForm : public QObject {
  Q_OBJECT
 public:
  explicit MainForm(CDSP550View& view);
  ~MainForm() override;

  // ---- operations of the form ----
  void SelectChannel(int n);
  void RefreshAllControls();
  void RelabelForLanguage();
  void ShowSpeakerPositions();
  // Copies channel from's record over channel to's and, when connected,
  // sends it whole.
  void CopyChannel(int from, int to);
  // System item 144 or 150 pushed into the queue at once (when connected).
  void SendSystemItem(int item);
  // Channel n sent whole, muted around the transfer (when connected).
  void SendChannelWhole(int n);
  void MuteLinkGroup(int n);
  void RestoreLinkGroup(int n);
  // Resets the equaliser of every channel of the current channel's link group.
  void ResetLinkGroupEq();
  // Button 2331: asks, then resets the current channel's equaliser (and its
  // pair partner while linked).
  void ResetCurrentEq();
  // Button 2388: bypasses (or restores) every band of the current channel's
  // link group.
  void ToggleAllBypass();
  // A loaded or saved preset's name into the hidden edit 1002 (its first 13
  // characters) and, after "TARN 770:", the hidden static 2284.
  void ShowPresetName(const QString& name);
  // Menu entries (what the pop-up menus run).
  void RunMenuCommand(int command);

  // ---- state ----
  int CurrentChannel() const { return current_; }
  int DelayUnit() const { return delayUnit_; }
  bool IsConnected() const;
  bool IsLinkOn() const;
  void SetLinkOn(bool on);
  std::array<PairLink, kPairCount>& Pairs() { return pairs_; }
  bool ClosedByButton() const { return closedByButton_; }
  graph::CFStatic* Graph() const { return graph_; }
  // Frame control 1368 and the panel inside it.
  QWidget* OutputFrame() const { return outputFrame_; }
  void SetOutputPanel(OutputPanel* panel) { panel_ = panel; }
  // What a tool button or menu entry of a later dialog runs (3415 entries,
  // 3417, 3418, 2247, firmware update, speaker-type buttons 3400 + i).
  void SetAction(int idOrMenu, std::function<void()> action);
  void SetSpeakerTypeMenu(std::function<void(int channel)> open) { openTypeMenu_ = std::move(open); }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  // Building (MainForm.cpp).
  void CreateControls();
  void CreateChannelStrips();
  void CreateCarPicture();
  void CreateCrossover();
  void CreateSystem();
  void CreateToolRow();
  controls::NumEdit* MakeEdit(int editId, int spinId, int type, int minimum, int maximum, double scale = 1.0,
                              double offset = 0.0);
  controls::XPButton* MakeButton(int id);
  void SkinButtons();
  void FillCombos();
  void RegisterHandlers();
  void WatchControls();

  // Showing the model (MainForm.cpp).
  void RefillCrossover(int n);
  void ShowChannelGain(int ch);
  void ShowMasterVolume();
  void ShowDelays();
  void ShowDelayUnit();
  void SetChannelButtonsOfPair(int ch, bool on);
  void RedrawCurves(int band = -1);

  // The edit loop (MainFormEdits.cpp).
  void OnMute(int id);
  void OnPhase(int id);
  void OnGainEdit(int id);
  void OnGainSlider(int id, int pos, bool moved);
  void OnLine(int id);
  void OnChannelButton(int id);
  void OnSpeakerPosition(int id);
  void OnDelayEdit(int id);
  void OnDelayUnit(int id);
  void OnCrossoverType(bool highPass, int index);
  void OnCrossoverSlope(bool highPass, int index);
  void OnCrossoverFrequency(bool highPass);
  void OnMasterVolume(int value, bool fromSlider);
  void OnMasterSound();
  void OnDropChoice(int id, int index);
  void OnControlDelay();
  void OnGraphChanged(int index);
  void ForEachOtherInGroup(int ch, const std::function<void(CKTV_OutData&)>& fn);
  // Every channel of n's link group, n included.
  void ForEachInGroup(int n, const std::function<void(int)>& fn);

  // Device side (MainFormDevice.cpp).
  void OnLinkEvent(int msg);
  void OnConnectButton();
  void OnClose();
  void ShowMenu(int buttonId);
  void PushItem31(int ch);
  void PushWholeRecord(int ch);
  void ResetChannelEq(int ch);
  bool AllBandsBypassed(int ch) const;
  int PartnerOf(int ch) const;

  CDSP550View& view_;
  CKTV_Data& model_;
  CKTVCommand& engine_;
  OutputPanel* panel_ = nullptr;

  graph::CFStatic* graph_ = nullptr;
  QWidget* outputFrame_ = nullptr;
  std::array<controls::XPButton*, ::layout::kChannelCount> channelButton_{}, mute_{}, phase_{}, typeButton_{},
      lineButton_{};
  std::array<controls::CTransparentStatic*, ::layout::kChannelCount> lineLabel_{};
  std::array<controls::BitmapSlider*, ::layout::kChannelCount> gainSlider_{};
  std::array<controls::NumEdit*, ::layout::kChannelCount> gainEdit_{};
  std::map<int, controls::BtnPng*> positionButton_;
  std::map<int, controls::NumEdit*> delayEdit_;  // by edit id
  std::array<controls::XPButton*, 3> unitButton_{};  // by unit: ms, cm, inch
  controls::NumEdit* hpEdit_ = nullptr;
  controls::NumEdit* lpEdit_ = nullptr;
  controls::ComBoxBtn *hpSlope_ = nullptr, *hpType_ = nullptr, *lpSlope_ = nullptr, *lpType_ = nullptr;
  controls::NumEdit* volumeEdit_ = nullptr;
  controls::BitmapSlider* volumeSlider_ = nullptr;
  controls::XPButton* soundToggle_ = nullptr;
  controls::NumEdit* controlDelayEdit_ = nullptr;
  controls::ComBoxBtn *source_ = nullptr, *noiseGate_ = nullptr;
  std::map<int, controls::XPButton*> tool_;

  int current_ = 0;
  int graphMode_ = kGraphModeCurrentChannel;
  int delayUnit_ = kDelayMs;
  bool closedByButton_ = false;
  std::array<int, ::layout::kChannelCount> savedSoundOn_{};
  std::array<PairLink, kPairCount> pairs_{};
  std::map<int, std::function<void()>> actions_;
  std::function<void(int)> openTypeMenu_;
};

}  // namespace app
