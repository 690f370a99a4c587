#include "tuner/app/MainForm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

#include "tuner/app/AppResources.h"
#include "tuner/app/CDSP550Doc.h"
#include "tuner/app/CDSP550View.h"
#include "tuner/app/MainFormIds.h"
#include "tuner/app/MainFormLayout.h"
#include "tuner/app/SkinArt.h"
#include "tuner/app/SpeakerPositions.h"
#include "tuner/controls/BitmapSlider.h"
#include "tuner/controls/BtnPng.h"
#include "tuner/controls/CTransparentStatic.h"
#include "tuner/controls/ComBoxBtn.h"
#include "tuner/controls/NumEdit.h"
#include "tuner/controls/NumSpin.h"
#include "tuner/controls/XPButton.h"
#include "tuner/filters/CFStatic.h"
#include "tuner/model/CKTV_Data.h"
#include "tuner/model/DisplayFormat.h"
#include "tuner/model/ValueTables.h"
#include "tuner/platform/ControlId.h"
#include "tuner/platform/Language.h"

namespace app {

using namespace controls;
using platform::text2;

namespace {

constexpr int kChannels = ::layout::kChannelCount;
constexpr int kMaxGain = 60, kMaxVolume = 120, kMaxControlDelay = 60, kMaxDelay = 960;
constexpr int kLowestHz = 20, kHighestHz = 20000;
constexpr int kSourceCount = 6;
constexpr int kDefinedCrossoverTypes = 3;
const QColor kLineLabelColour(103, 146, 255);
constexpr int kLineLabelFont = 15;
constexpr int kSpeakerMarkerSize = 22;
const QSize kVerticalThumb(22, 12), kHorizontalThumb(12, 16);

struct Text2 {
  const char* zh;
  const char* en;
};

const Text2 kSources[] = {{"高电平", "High level"}, {"低电平", "RCA"},    {"蓝牙", "Bluetooth"},
                          {"光纤", "Optical"},      {"同轴", "Coaxial"}, {"播放器", "Player"}};
const Text2 kFilterTypes[] = {{"宁克", "Link_Ril"}, {"贝塞尔", "Bessel"}, {"巴特沃斯", "Butter_W"}};
const char* const kSlopes[] = {"6dB/Oct",  "12dB/Oct", "18dB/Oct", "24dB/Oct", "30dB/Oct",
                               "36dB/Oct", "42dB/Oct", "48dB/Oct", "关闭"};
constexpr int kNoiseGrades = 8;

// Texts of the tool row that differ from the layout's captions, and the
// image shown while the button is on.
struct ToolLook {
  int id;
  Text2 off;
  Text2 on;
};
const ToolLook kToolLooks[] = {
    {ids::kConnect, {"连接", "Connect"}, {"已连接", "Connected"}},
    {ids::kAllBypass, {"全部直通", "All Bypass"}, {"全部直通", "All Bypass"}},
    {ids::kMinimise, {"—", "—"}, {"—", "—"}},
    {ids::kClose, {"✕", "✕"}, {"✕", "✕"}},
};

QString pick(const Text2& t) { return text2(t.zh, t.en); }

QStringList slopeEntries() {
  QStringList list;
  for (const char* s : kSlopes) list << QString::fromUtf8(s);
  return list;
}

}  // namespace

MainForm::MainForm(CDSP550View& view)
    : QObject(&view), view_(view), model_(view.Document().Model()), engine_(view.Command()) {
  CreateControls();
  FillCombos();
  SkinButtons();
  RegisterHandlers();
  WatchControls();
  view_.AddRelabelHandler([this] { RelabelForLanguage(); });
  ShowDelayUnit();
  SelectChannel(0);
}

MainForm::~MainForm() = default;

// ---------------------------------------------------------------- building

void MainForm::CreateControls() {
  graph_ = new graph::CFStatic(&view_, ids::kGraph);
  graph_->setGeometry(layout::kGraph);
  graph_->Bind(&model_, &engine_.Lock());
  outputFrame_ = new QWidget(&view_);
  platform::setControlId(outputFrame_, ids::kOutputFrame);
  outputFrame_->setGeometry(layout::kOutputPanel);
  outputFrame_->setFocusPolicy(Qt::TabFocus);
  CreateChannelStrips();
  CreateCarPicture();
  CreateCrossover();
  CreateSystem();
  CreateToolRow();
  // Hidden controls that only carry the current preset's name.
  auto* nameEdit = new QLineEdit(&view_);
  platform::setControlId(nameEdit, ids::kPresetNameEdit);
  nameEdit->hide();
  auto* nameStatic = new QLabel(&view_);
  platform::setControlId(nameStatic, ids::kPresetNameStatic);
  nameStatic->hide();
}

void MainForm::ShowPresetName(const QString& name) {
  constexpr int kShownChars = 13;
  const QString cut = name.left(kShownChars);
  platform::findControl<QLineEdit>(&view_, ids::kPresetNameEdit)->setText(cut);
  platform::findControl<QLabel>(&view_, ids::kPresetNameStatic)->setText("TARN 770:" + cut);
}

NumEdit* MainForm::MakeEdit(int editId, int spinId, int type, int minimum, int maximum, double scale,
                            double offset) {
  auto* edit = new NumEdit(&view_, editId);
  auto* spin = new NumSpin(&view_, spinId);
  spin->setBuddy(edit);
  edit->setDisplayType(type);
  edit->setScaleOffset(scale, offset);
  spin->setRange(minimum, maximum);
  edit->setGeometry(layout::ControlRect(editId));
  return edit;
}

XPButton* MainForm::MakeButton(int id) {
  auto* b = new XPButton(&view_, id);
  b->setGeometry(layout::ControlRect(id));
  b->setHandCursor(true);
  return b;
}

void MainForm::CreateChannelStrips() {
  for (int i = 0; i < kChannels; ++i) {
    channelButton_[i] = MakeButton(ids::kChannelButton + i);
    mute_[i] = MakeButton(ids::kMute + i);
    phase_[i] = MakeButton(ids::kPhase + i);
    typeButton_[i] = MakeButton(ids::kSpeakerType + i);
    lineButton_[i] = MakeButton(ids::kLine + i);
    lineLabel_[i] = new CTransparentStatic(&view_, ids::kLineLabel + i, QString("CH%1").arg(i + 1));
    lineLabel_[i]->setColour(kLineLabelColour);
    lineLabel_[i]->setFont(ArialPixels(kLineLabelFont));
    lineLabel_[i]->setGeometry(layout::LineLabel(i));

    auto* slider = new BitmapSlider(&view_, ids::kGainSlider + i, Qt::Vertical);
    const QRect r = layout::GainSlider(i);
    slider->setChannelImages(art::SliderChannel(r.size(), Qt::Vertical, false),
                             art::SliderChannel(r.size(), Qt::Vertical, true));
    slider->setThumbImages(art::SliderThumb(kVerticalThumb, Qt::Vertical, false),
                           art::SliderThumb(kVerticalThumb, Qt::Vertical, true));
    slider->move(r.topLeft());
    slider->setRange(0, kMaxGain);
    gainSlider_[i] = slider;
    gainEdit_[i] = MakeEdit(ids::kGainEdit + i, ids::kGainSpin + i, display::kGainDb, 0, kMaxGain, 1.0, kMaxGain);
    slider->bindNumEdit(gainEdit_[i]);
  }
}

void MainForm::CreateCarPicture() {
  for (const layout::SpeakerSpot& spot : layout::SpeakerSpots()) {
    auto* button = new BtnPng(&view_, spot.buttonId);
    button->setImages(art::SpeakerMarker(kSpeakerMarkerSize, false), art::SpeakerMarker(kSpeakerMarkerSize, true));
    button->move(layout::SpeakerButton(spot).topLeft());
    button->setHandCursor(true);
    positionButton_[spot.buttonId] = button;
  }
  for (const layout::SpeakerSpot& spot : layout::SpeakerSpots()) {
    const SpeakerPosition* p = PositionOfDelayControl(spot.delayEditId);
    if (!p) continue;
    NumEdit* edit = MakeEdit(p->delayEditId, p->delaySpinId, delayUnit_, 0, kMaxDelay);
    // Edits left of the car end at their speaker.
    if (layout::DelayEdit(spot).right() < spot.centre.x()) edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    delayEdit_[p->delayEditId] = edit;
  }
  unitButton_[kDelayMs] = MakeButton(ids::kUnitMs);
  unitButton_[kDelayCm] = MakeButton(ids::kUnitCm);
  unitButton_[kDelayInch] = MakeButton(ids::kUnitInch);
}

void MainForm::CreateCrossover() {
  hpEdit_ = MakeEdit(ids::kHighPassEdit, ids::kHighPassSpin, display::kCrossoverHz, kLowestHz, kHighestHz);
  lpEdit_ = MakeEdit(ids::kLowPassEdit, ids::kLowPassSpin, display::kCrossoverHz, kLowestHz, kHighestHz);
  auto combo = [this](int id) {
    auto* c = new ComBoxBtn(&view_, id);
    c->setGeometry(layout::ControlRect(id));
    return c;
  };
  hpType_ = combo(ids::kHighPassType);
  hpSlope_ = combo(ids::kHighPassSlope);
  lpType_ = combo(ids::kLowPassType);
  lpSlope_ = combo(ids::kLowPassSlope);
  source_ = combo(ids::kSource);
  noiseGate_ = combo(ids::kNoiseGate);
}

void MainForm::CreateSystem() {
  volumeEdit_ = MakeEdit(ids::kVolumeEdit, ids::kVolumeSpin, display::kGainDb, 0, kMaxVolume, 0.5, 60.0);
  volumeSlider_ = new BitmapSlider(&view_, ids::kVolumeSlider, Qt::Horizontal);
  const QRect r = layout::ControlRect(ids::kVolumeSlider);
  volumeSlider_->setChannelImages(art::SliderChannel(r.size(), Qt::Horizontal, false),
                                  art::SliderChannel(r.size(), Qt::Horizontal, true));
  volumeSlider_->setThumbImages(art::SliderThumb(kHorizontalThumb, Qt::Horizontal, false),
                                art::SliderThumb(kHorizontalThumb, Qt::Horizontal, true));
  volumeSlider_->move(r.topLeft());
  volumeSlider_->setRange(0, kMaxVolume);
  volumeSlider_->bindNumEdit(volumeEdit_);
  soundToggle_ = MakeButton(ids::kMasterSound);
  controlDelayEdit_ =
      MakeEdit(ids::kControlDelayEdit, ids::kControlDelaySpin, display::kPlainLimited, 0, kMaxControlDelay);
}

void MainForm::CreateToolRow() {
  for (const layout::ToolButton& t : layout::ToolRow()) tool_[t.id] = MakeButton(t.id);
}

// Skins carry their texts, so they are made again for every language.
void MainForm::SkinButtons() {
  auto skin = [](XPButton* b, const QString& off, const QString& on = {}, QSize size = {}) {
    const QPoint at = b->pos();
    b->setSkin(art::MakeXPSkin(size.isValid() ? size : b->size(), off, on));
    b->move(at);
  };
  for (int i = 0; i < kChannels; ++i) {
    skin(channelButton_[i], QString("CH%1").arg(i + 1));
    skin(mute_[i], text2("静音", "Mute"));
    skin(phase_[i], "POL");
    // One pixel lower than the row, so the longest type names get the small font.
    const QRect typeRect = layout::SpeakerTypeButton(i);
    skin(typeButton_[i], QString::fromUtf8(values::SpeakerTypeName(model_.SpeakerType(i))), {},
         QSize(typeRect.width(), typeRect.height() - 1));
    skin(lineButton_[i], QString());
  }
  for (XPButton* b : unitButton_) skin(b, QString());
  skin(soundToggle_, text2("关", "OFF"), text2("开", "ON"));
  for (const layout::ToolButton& t : layout::ToolRow()) {
    const ToolLook* look = nullptr;
    for (const ToolLook& l : kToolLooks) {
      if (l.id == t.id) look = &l;
    }
    if (look) {
      skin(tool_[t.id], pick(look->off), pick(look->on));
    } else {
      skin(tool_[t.id], text2(t.zh, t.en));
    }
  }
}

void MainForm::FillCombos() {
  QStringList types, sources, grades;
  for (const Text2& t : kFilterTypes) types << pick(t);
  for (const Text2& t : kSources) sources << pick(t);
  grades << text2("关闭", "OFF");
  for (int g = 1; g <= kNoiseGrades; ++g) grades << (platform::isChinese() ? QString::fromUtf8("等级%1") : "Grade%1").arg(g);
  hpType_->setEntries(types);
  lpType_->setEntries(types);
  source_->setEntries(sources);
  noiseGate_->setEntries(grades);
  if (hpSlope_->count() == 0) hpSlope_->setEntries(slopeEntries());
  if (lpSlope_->count() == 0) lpSlope_->setEntries(slopeEntries());
}

// The form sees keys and presses before its controls: Enter and Escape move
// the focus to the form (committing a numeric edit) and close nothing, a
// press first commits an open numeric edit, and Tab from the last delay
// edit goes to the output panel's frame.
void MainForm::WatchControls() {
  view_.installEventFilter(this);
  for (QWidget* w : view_.findChildren<QWidget*>()) {
    if (!w->isWindow()) w->installEventFilter(this);
  }
}

bool MainForm::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(e);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape) {
      view_.setFocus(Qt::OtherFocusReason);
      return true;
    }
    if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier &&
        platform::controlId(qobject_cast<QWidget*>(watched)) == ids::kDelayTabToFrame) {
      outputFrame_->setFocus(Qt::TabFocusReason);
      return true;
    }
  } else if (e->type() == QEvent::MouseButtonPress && watched != &view_) {
    QWidget* focused = QApplication::focusWidget();
    if (qobject_cast<NumEdit*>(focused) && focused != watched) view_.setFocus(Qt::MouseFocusReason);
  }
  return QObject::eventFilter(watched, e);
}

// ---------------------------------------------------------------- showing

void MainForm::RelabelForLanguage() {
  SkinButtons();
  FillCombos();
  for (auto* edit : view_.findChildren<NumEdit*>()) edit->update();
  const bool connected = IsConnected();
  tool_[ids::kConnect]->setOn(connected);
  if (panel_) panel_->Relabel();
}

void MainForm::RefillCrossover(int n) {
  LinkGuard hold(engine_.Lock());
  const CKTV_OutData& out = model_.Out(n);
  struct Group {
    const CFilter& filter;
    ComBoxBtn* type;
    ComBoxBtn* slope;
    NumEdit* edit;
  } groups[] = {{out.HighPass(), hpType_, hpSlope_, hpEdit_}, {out.LowPass(), lpType_, lpSlope_, lpEdit_}};
  for (const Group& g : groups) {
    const int type = g.filter.CrossoverType();
    g.type->setCurSel(type);
    g.edit->setPos(std::clamp(g.filter.Frequency(), kLowestHz, kHighestHz));
    if (type >= 0 && type < kDefinedCrossoverTypes) {
      g.slope->setEntries(slopeEntries());
      g.slope->setCurSel(g.filter.Slope());
    }
  }
  tool_[ids::kAllBypass]->setOn(AllBandsBypassed(n));
}

void MainForm::ShowChannelGain(int ch) {
  LinkGuard hold(engine_.Lock());
  const CKTV_OutData& out = model_.Out(ch);
  const int gain = std::clamp(out.IsGainSilent() ? 0 : out.Gain(), 0, kMaxGain);
  gainEdit_[ch]->setPos(gain);
  gainSlider_[ch]->setPos(gain);
}

void MainForm::ShowMasterVolume() {
  LinkGuard hold(engine_.Lock());
  const int volume = std::clamp(model_.MasterVolume(), 0, kMaxVolume);
  volumeEdit_->setPos(volume);
  volumeSlider_->setPos(volume);
  soundToggle_->setOn(model_.MasterSound() != 0);
}

// Each position shows the delay of the channel its edits change.
void MainForm::ShowDelays() {
  LinkGuard hold(engine_.Lock());
  for (const SpeakerPosition& p : SpeakerPositions()) {
    const int ch = FindChannelOfType(model_, p.type);
    if (ch >= 0) delayEdit_[p.delayEditId]->setPos(std::clamp(model_.Out(ch).Delay(), 0, kMaxDelay));
  }
}

void MainForm::ShowDelayUnit() {
  for (int unit = 0; unit < static_cast<int>(unitButton_.size()); ++unit) unitButton_[unit]->setOn(unit == delayUnit_);
  for (auto& [id, edit] : delayEdit_) edit->setDisplayType(delayUnit_);
}

void MainForm::SetChannelButtonsOfPair(int ch, bool on) {
  const int partner = PartnerOf(ch);
  if (partner < 0) return;
  channelButton_[ch]->setOn(on);
  channelButton_[partner]->setOn(on);
}

void MainForm::RedrawCurves(int band) { graph_->Redraw(band); }

void MainForm::ShowSpeakerPositions() {
  for (auto& [id, button] : positionButton_) button->hide();
  for (auto& [id, edit] : delayEdit_) edit->hide();
  LinkGuard hold(engine_.Lock());
  for (int ch = 0; ch < kChannels; ++ch) {
    const SpeakerPosition* p = PositionOfType(model_.SpeakerType(ch));
    if (!p) continue;
    positionButton_[p->buttonId]->show();
    delayEdit_[p->delayEditId]->show();
  }
}

void MainForm::SelectChannel(int n) {
  if (n < 0 || n >= kChannels) return;
  for (auto& [id, button] : positionButton_) button->update();
  const int old = current_;
  lineButton_[old]->setOn(graph_->IsCurveVisible(old));
  channelButton_[old]->setOn(false);
  if (IsLinkOn()) SetChannelButtonsOfPair(old, false);
  current_ = n;
  lineButton_[n]->setOn(true);
  channelButton_[n]->setOn(true);
  if (IsLinkOn()) SetChannelButtonsOfPair(n, true);
  graphMode_ = kGraphModeCurrentChannel;
  graph_->SetChannel(n);
  if (panel_) panel_->Refresh();
  RefillCrossover(n);
}

void MainForm::RefreshAllControls() {
  graph_->Bind(&model_, &engine_.Lock());
  ShowMasterVolume();
  {
    LinkGuard hold(engine_.Lock());
    for (int ch = 0; ch < kChannels; ++ch) {
      const CKTV_OutData& out = model_.Out(ch);
      mute_[ch]->setOn(out.SoundOn() == 0);
      lineButton_[ch]->setOn(graph_->IsCurveVisible(ch) || ch == current_);
      phase_[ch]->setOn(out.Phase() != 0);
      ShowChannelGain(ch);
    }
    ShowDelays();
    source_->setCurSel(std::clamp(model_.Source(), 0, kSourceCount - 1));
    noiseGate_->setCurSel(model_.NoiseGate());
    controlDelayEdit_->setPos(std::clamp(model_.ControlDelay(), 0, kMaxControlDelay));
  }
  if (panel_) panel_->Refresh();
  if (graphMode_ == kGraphModeCurrentChannel) lineButton_[graph_->Channel()]->setOn(true);
  for (int ch = 0; ch < kChannels; ++ch) {
    channelButton_[ch]->setOn(ch == current_);
    typeButton_[ch]->setEnabled(true);
  }
  tool_[ids::kLink]->setOn(false);
  RefillCrossover(current_);
  RedrawCurves();
  SkinButtons();  // speaker-type texts
  ShowSpeakerPositions();
  SelectChannel(graph_->Channel() >= 0 ? graph_->Channel() : current_);
}

}  // namespace app
