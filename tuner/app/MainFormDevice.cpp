// The main form's traffic with the device: system items pushed at once,
// whole channels sent muted, the link's reports shown on the form, the
// connect, close and menu buttons, and the equaliser resets.

#include <QMenu>
#include <QWidget>

#include <cstring>

#include "tuner/app/AboutSoftDlg.h"
#include "tuner/app/CDSP550View.h"
#include "tuner/app/DisplayDlg.h"
#include "tuner/app/MainForm.h"
#include "tuner/app/MainFormIds.h"
#include "tuner/app/MainFormLayout.h"
#include "tuner/app/ViewLink.h"
#include "tuner/controls/BitmapSlider.h"
#include "tuner/controls/ComBoxBtn.h"
#include "tuner/controls/NumEdit.h"
#include "tuner/controls/XPButton.h"
#include "tuner/filters/CFStatic.h"
#include "tuner/link/Protocol.h"
#include "tuner/model/CKTV_Data.h"
#include "tuner/platform/Language.h"
#include "tuner/platform/MessageBox.h"

namespace app {

namespace {
constexpr int kLiveSlot = 0;
constexpr int kSourceCount = 6;
constexpr int kLinkedBatchChannel = 1;  // CH2: its copy ends the link's batch
}  // namespace

bool MainForm::IsConnected() const { return view_.Link() && view_.Link()->Link().IsConnected(); }

bool MainForm::IsLinkOn() const { return tool_.at(ids::kLink)->isOn(); }

void MainForm::SetLinkOn(bool on) { tool_[ids::kLink]->setOn(on); }

void MainForm::SetAction(int idOrMenu, std::function<void()> action) { actions_[idOrMenu] = std::move(action); }

void MainForm::SendSystemItem(int item) {
  if (!IsConnected()) return;
  LinkGuard hold(engine_.Lock());
  engine_.Add(engine_.SystemWrite(item, kLiveSlot));
}

// Block 31 (sound on, phase, gain, delay, mode) of channel ch, now.
void MainForm::PushItem31(int ch) {
  CKTV_OutData& out = model_.Out(ch);
  out.PackElement(model_.Image().ChannelRecord(kLiveSlot, ch), ::layout::kElemChannel);
  engine_.Add(engine_.ElementWrite(protocol::kOutput, ch, ::layout::kElemChannel));
  out.ClearPending(CKTV_OutData::kPendChannel);
}

// The whole record of channel ch. Its marks are cleared, except those of
// filters still walking their frequency up, which the scan must finish.
void MainForm::PushWholeRecord(int ch) {
  CKTV_OutData& out = model_.Out(ch);
  out.PackAll(model_.Image().ChannelRecord(kLiveSlot, ch));
  for (int f = 0; f < CKTV_OutData::kPendCount; ++f) out.ClearPending(static_cast<CKTV_OutData::PendingFlag>(f));
  CKTVEQ& eq = out.Filters();
  for (int i = 0; i < eq.Count(); ++i) {
    if (eq.Filter(i).AppliedFrequency() == eq.Filter(i).Frequency()) eq.Filter(i).ClearPending();
  }
  std::unique_ptr<CSendData> command = engine_.BlockWrite(kLiveSlot, protocol::kOutput, ch, true, false);
  if (!command) return;
  const bool endsBatch = IsLinkOn() && ch == kLinkedBatchChannel;
  if (endsBatch) {
    command->lastOfWrite = 1;
    command->closeProgress = 1;
  }
  engine_.Add(std::move(command));
  if (endsBatch && view_.TransferDisplay()) {
    view_.TransferDisplay()->SetRange(1);
    view_.TransferDisplay()->ShowTransfer();
  }
}

void MainForm::SendChannelWhole(int n) {
  if (!IsConnected()) return;
  LinkGuard hold(engine_.Lock());
  CKTV_OutData& out = model_.Out(n);
  const int saved = out.SoundOn();
  out.SetSoundOn(0);
  PushItem31(n);
  PushWholeRecord(n);
  out.SetSoundOn(saved);
  PushItem31(n);
}

void MainForm::ForEachInGroup(int n, const std::function<void(int)>& fn) {
  for (int ch = 0; ch < ::layout::kChannelCount; ++ch) {
    if (model_.Groups().Group(ch) == model_.Groups().Group(n)) fn(ch);
  }
}

void MainForm::MuteLinkGroup(int n) {
  if (!IsConnected()) return;
  LinkGuard hold(engine_.Lock());
  ForEachInGroup(n, [this](int ch) {
    savedSoundOn_[ch] = model_.Out(ch).SoundOn();
    model_.Out(ch).SetSoundOn(0);
    PushItem31(ch);
  });
}

void MainForm::RestoreLinkGroup(int n) {
  if (!IsConnected()) return;
  LinkGuard hold(engine_.Lock());
  ForEachInGroup(n, [this](int ch) {
    model_.Out(ch).SetSoundOn(savedSoundOn_[ch]);
    PushItem31(ch);
  });
}

void MainForm::CopyChannel(int from, int to) {
  if (from == to) return;
  {
    LinkGuard hold(engine_.Lock());
    ParamImage& image = model_.Image();
    model_.Out(from).PackAll(image.ChannelRecord(kLiveSlot, from));
    std::memcpy(image.ChannelRecord(kLiveSlot, to), image.ChannelRecord(kLiveSlot, from), ::layout::kChannelRecordSize);
    model_.Out(to).Apply(image.ChannelRecord(kLiveSlot, to));
    if (IsConnected()) PushWholeRecord(to);
  }
  ShowChannelGain(to);
  RedrawCurves();
}

void MainForm::ResetChannelEq(int ch) {
  model_.Out(ch).ResetEq();
  if (IsConnected()) PushWholeRecord(ch);
}

int MainForm::PartnerOf(int ch) const {
  for (const PairLink& p : pairs_) {
    if (!p.enabled) continue;
    if (p.left == ch) return p.right;
    if (p.right == ch) return p.left;
  }
  return -1;
}

void MainForm::ResetCurrentEq() {
  if (platform::messageBox(&view_, "是否恢复所有EQ的初始值", "Whether the reset all EQ?",
                           platform::MessageButtons::OkCancel) != platform::IDOK) {
    return;
  }
  {
    LinkGuard hold(engine_.Lock());
    ResetChannelEq(current_);
    const int partner = IsLinkOn() ? PartnerOf(current_) : -1;
    if (partner >= 0) ResetChannelEq(partner);
  }
  if (panel_) panel_->Refresh();
  RedrawCurves();
}

void MainForm::ResetLinkGroupEq() {
  {
    LinkGuard hold(engine_.Lock());
    MuteLinkGroup(current_);
    ForEachInGroup(current_, [this](int ch) { ResetChannelEq(ch); });
    RestoreLinkGroup(current_);
  }
  if (panel_) panel_->Refresh();
  RedrawCurves();
}

bool MainForm::AllBandsBypassed(int ch) const {
  const CKTV_OutData& out = model_.Out(ch);
  for (int b = 0; b < ::layout::kBandCount; ++b) {
    if (!out.Band(b).IsInactive()) return false;
  }
  return true;
}

// Switching off restores each band's own bypass state from before, so bands
// that were bypassed one by one stay bypassed and all-bypass stays on.
void MainForm::ToggleAllBypass() {
  {
    LinkGuard hold(engine_.Lock());
    const int bypass = AllBandsBypassed(current_) ? 0 : 1;
    MuteLinkGroup(current_);
    ForEachInGroup(current_, [this, bypass](int ch) {
      model_.Out(ch).Filters().Bypass(bypass);
      if (IsConnected()) PushWholeRecord(ch);
    });
    RestoreLinkGroup(current_);
    tool_[ids::kAllBypass]->setOn(AllBandsBypassed(current_));
  }
  if (panel_) panel_->Refresh();
  RedrawCurves();
}

// ---------------------------------------------------------------- the link

void MainForm::OnLinkEvent(int msg) {
  switch (msg) {
    case WM_LINK_STATUS_A:
      ShowMasterVolume();
      break;
    case WM_LINK_STATUS_B: {
      LinkGuard hold(engine_.Lock());
      soundToggle_->setOn(model_.MasterSound() != 0);
      break;
    }
    case WM_LINK_STATUS_C: {
      LinkGuard hold(engine_.Lock());
      source_->setCurSel(std::clamp(model_.Source(), 0, kSourceCount - 1));
      break;
    }
    case WM_LINK_LIVE_OUTPUTS:
      RefreshAllControls();
      break;
    default:
      break;
  }
  tool_[ids::kConnect]->setOn(IsConnected());
}

void MainForm::OnConnectButton() {
  ViewLink* link = view_.Link();
  if (!link) return;
  if (link->Link().IsConnected()) {
    link->Link().Disconnect();
    view_.TransferDisplay()->hide();
  } else if (!link->ConnectFirst()) {
    view_.MsgBox().ShowNotConnected();
  }
  tool_[ids::kConnect]->setOn(IsConnected());
}

void MainForm::OnClose() {
  view_.ShutdownLink();
  closedByButton_ = true;
  view_.window()->close();
}

void MainForm::ShowMenu(int buttonId) {
  struct Entry {
    int command;
    const char* zh;
    const char* en;
  };
  static const Entry kMain[] = {{kMenuFirmwareUpdate, "固件更新", "Firmware Update"},
                                {kMenuLanguage, "英文", "Chinese"},
                                {kMenuAbout, "关于", "About"}};
  static const Entry kPresets[] = {{kMenuPresetOpen, "音效调用", "Open"}, {kMenuPresetSave, "音效保存", "Save"}};
  QMenu menu(&view_);
  const bool main = buttonId == ids::kMenu;
  for (const Entry& e : main ? std::vector<Entry>(std::begin(kMain), std::end(kMain))
                             : std::vector<Entry>(std::begin(kPresets), std::end(kPresets))) {
    QAction* a = menu.addAction(platform::text2(e.zh, e.en));
    a->setData(e.command);
  }
  const QRect b = layout::ControlRect(buttonId);
  const QPoint at = main ? QPoint(b.left() - 10, b.bottom() + 5) : QPoint(b.left() + 50, b.bottom());
  if (QAction* chosen = menu.exec(view_.mapToGlobal(at))) RunMenuCommand(chosen->data().toInt());
}

void MainForm::RunMenuCommand(int command) {
  switch (command) {
    case kMenuLanguage:
      view_.ToggleLanguage();
      return;
    case kMenuAbout: {
      std::string identification;
      {
        LinkGuard hold(engine_.Lock());
        identification = model_.Image().IdentificationText();
      }
      AboutSoftDlg about(&view_, identification);
      about.exec();
      return;
    }
    default: {
      const auto it = actions_.find(command);
      if (it != actions_.end() && it->second) it->second();
      return;
    }
  }
}

}  // namespace app
