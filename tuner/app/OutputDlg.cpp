#include "tuner/app/OutputDlg.h"

#include <QPainter>
#include <QPaintEvent>

#include "tuner/app/AppResources.h"
#include "tuner/app/OutputDlgArt.h"
#include "tuner/app/SkinArt.h"
#include "tuner/controls/BitmapSlider.h"
#include "tuner/controls/CTransparentStatic.h"
#include "tuner/controls/ComBoxBtn.h"
#include "tuner/controls/ControlMessages.h"
#include "tuner/controls/NumEdit.h"
#include "tuner/controls/NumSpin.h"
#include "tuner/controls/XPButton.h"
#include "tuner/filters/CFStatic.h"
#include "tuner/link/CKTVCommand.h"
#include "tuner/model/CKTV_Data.h"
#include "tuner/model/DisplayFormat.h"
#include "tuner/platform/ControlId.h"
#include "tuner/platform/Language.h"

namespace app {

namespace ol = outlayout;
using controls::NumEdit;

namespace {

const QColor kNumberGrey(200, 200, 200);
const QColor kNumberRed(255, 0, 0);

}  // namespace

OutputDlg::OutputDlg(CKTV_Data& model, CKTVCommand& engine, QWidget* form, QWidget* parent)
    : QWidget(parent), model_(model), engine_(engine), formWidget_(form) {
  setFixedSize(ol::kPanelSize);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFont(ArialPixels(11));
  for (int zh = 0; zh < 2; ++zh) {
    background_[zh][0] = art::OutputPanelBackground(zh != 0, art::OutputPage::Bands);
    background_[zh][1] = art::OutputPanelBackground(zh != 0, art::OutputPage::Channel);
  }
  page_ = new controls::XPButton(this, outids::kPage);
  page_->move(ol::kPageButton.topLeft());
  CreateBandColumns();
  CreateChannelPage();
  RegisterHandlers();
  SetTabOrder();
  // The frame hands the focus it gets (Tab from the form) into the panel.
  if (parent) parent->setFocusProxy(page_);
  Relabel();
  ShowChannelPage(false);
}

// Row by row, as Enter walks them, with the gain row last: Tab from band 31's
// gain edit leaves the panel for the main form.
void OutputDlg::SetTabOrder() {
  std::vector<QWidget*> order{page_};
  for (const auto* row : {&frequency_, &q_}) order.insert(order.end(), row->begin(), row->end());
  order.insert(order.end(), slider_.begin(), slider_.end());
  order.insert(order.end(), bypass_.begin(), bypass_.end());
  order.insert(order.end(), gain_.begin(), gain_.end());
  order.insert(order.end(), channelControls_.begin(), channelControls_.end());
  for (size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

NumEdit* OutputDlg::MakeEdit(int editId, int spinId, int type, int minimum, int maximum, double scale,
                             double offset) {
  auto* edit = new NumEdit(this, editId);
  auto* spin = new controls::NumSpin(this, spinId);
  spin->setBuddy(edit);
  edit->setScaleOffset(scale, offset);
  edit->setDisplayType(type);
  spin->setRange(minimum, maximum);
  edit->installEventFilter(this);
  return edit;
}

void OutputDlg::CreateBandColumns() {
  QFont small = ArialPixels(9);
  small.setStretch(QFont::SemiCondensed);
  for (int b = 0; b < ol::kBands; ++b) {
    number_[b] = new controls::CTransparentStatic(this, outids::kNumberLabel + b, QString::number(b + 1));
    number_[b]->setGeometry(ol::BandCell(b, ol::Row::Number));
    number_[b]->setAlignment(Qt::AlignCenter);
    number_[b]->setFont(ArialPixels(10));
    number_[b]->setColour(kNumberGrey);

    frequency_[b] = MakeEdit(outids::kFrequency + b, outids::kFrequencySpin + b, display::kFrequency, 20, 20000);
    q_[b] = MakeEdit(outids::kQ + b, outids::kQSpin + b, display::kBandQ, 0, 295);
    gain_[b] = MakeEdit(outids::kGain + b, outids::kGainSpin + b, display::kBandGain, ol::kGainMin, ol::kGainMax,
                        0.1, 20.0);
    const std::pair<NumEdit*, ol::Row> rows[] = {
        {frequency_[b], ol::Row::Frequency}, {q_[b], ol::Row::Q}, {gain_[b], ol::Row::Gain}};
    for (const auto& [edit, row] : rows) {
      edit->setGeometry(ol::BandCell(b, row));
      edit->setFont(small);
      edit->setTextMargins(-2, 0, -2, 0);
    }

    slider_[b] = new controls::BitmapSlider(this, outids::kSlider + b, Qt::Vertical);
    const QRect sliderRect = ol::BandCell(b, ol::Row::Slider);
    slider_[b]->setChannelImages(art::SliderChannel(sliderRect.size(), Qt::Vertical, false));
    slider_[b]->setThumbImages(art::SliderThumb(ol::kThumbSize, Qt::Vertical, false),
                               art::SliderThumb(ol::kThumbSize, Qt::Vertical, true));
    slider_[b]->move(sliderRect.topLeft());
    slider_[b]->setRange(ol::kGainMin, ol::kGainMax);
    slider_[b]->setPageSize(10);
    slider_[b]->bindNumEdit(gain_[b]);
    slider_[b]->setPos(ol::kGainZero);
    slider_[b]->installEventFilter(this);

    bypass_[b] = new controls::XPButton(this, outids::kBypass + b);
    bypass_[b]->setSkin(art::BandBypassSkin(ol::BandCell(b, ol::Row::Bypass).size()));
    bypass_[b]->move(ol::BandCell(b, ol::Row::Bypass).topLeft());

    for (QWidget* w : std::initializer_list<QWidget*>{number_[b], frequency_[b], q_[b], gain_[b], slider_[b],
                                                      bypass_[b]}) {
      bandPage_.push_back(w);
    }
  }
}

void OutputDlg::CreateChannelPage() {
  auto place = [this](QWidget* w) {
    w->setGeometry(ol::ChannelPageControl(platform::controlId(w)));
    channelControls_.push_back(w);
  };
  mode_ = new controls::XPButton(this, outids::kMode);
  reset_ = new controls::XPButton(this, outids::kReset);
  allBypass_ = new controls::XPButton(this, outids::kAllBypass);
  allBypassTwin_ = new controls::XPButton(this, outids::kAllBypassTwin);
  hpType_ = new controls::ComBoxBtn(this, outids::kHighPassType);
  hpSlope_ = new controls::ComBoxBtn(this, outids::kHighPassSlope);
  hpEdit_ = MakeEdit(outids::kHighPassEdit, outids::kHighPassSpin, display::kCrossoverHz, 20, 20000);
  lpType_ = new controls::ComBoxBtn(this, outids::kLowPassType);
  lpSlope_ = new controls::ComBoxBtn(this, outids::kLowPassSlope);
  lpEdit_ = MakeEdit(outids::kLowPassEdit, outids::kLowPassSpin, display::kCrossoverHz, 20, 20000);
  // The same scale as the main form's gain row: the same code shows the same dB.
  channelGain_ = MakeEdit(outids::kChannelGain, outids::kChannelGainSpin, display::kGainDb, 0, 60, 1.0, 60.0);
  threshold_ = MakeEdit(outids::kThreshold, outids::kThresholdSpin, display::kThresholdDbu, 0, 360, 0.1, 30.0);
  attack_ = MakeEdit(outids::kAttack, outids::kAttackSpin, display::kAttack, 0, 106);
  release_ = new controls::ComBoxBtn(this, outids::kRelease);
  for (QWidget* w : std::initializer_list<QWidget*>{mode_, reset_, allBypass_, allBypassTwin_, hpType_, hpSlope_,
                                                    hpEdit_, lpType_, lpSlope_, lpEdit_, channelGain_, threshold_,
                                                    attack_, release_}) {
    place(w);
  }
  const QStringList slopes = {"6dB/Oct",  "12dB/Oct", "18dB/Oct", "24dB/Oct", "30dB/Oct",
                              "36dB/Oct", "42dB/Oct", "48dB/Oct", QString::fromUtf8("关闭")};
  hpSlope_->setEntries(slopes);
  lpSlope_->setEntries(slopes);
}

void OutputDlg::Relabel() {
  const bool zh = platform::isChinese();
  auto skin = [](controls::XPButton* b, const QString& off, const QString& on = {}) {
    const QSize size = b->size().isEmpty() || b->size() == QSize(100, 30) ? b->sizeHint() : b->size();
    b->setSkin(art::MakeXPSkin(size, off, on));
  };
  page_->setSkin(art::MakeXPSkin(ol::kPageButton.size(), platform::text2("更多", "More"), platform::text2("均衡", "EQ")));
  skin(mode_, "PEQ", "GEQ");
  skin(reset_, platform::text2("复位", "RESET"));
  skin(allBypass_, "ALLBYPASS");
  skin(allBypassTwin_, "All ByPass");
  const QStringList types = zh ? QStringList{QString::fromUtf8("宁克"), QString::fromUtf8("贝塞尔"),
                                             QString::fromUtf8("巴特沃斯")}
                               : QStringList{"Link_Ril", "Bessel", "Butter_W"};
  hpType_->setEntries(types);
  lpType_->setEntries(types);
  QStringList releases;
  for (int times : {2, 4, 6, 8, 16, 32}) {
    releases << (zh ? QString::fromUtf8("启动×%1").arg(times) : QString("Attack x%1").arg(times));
  }
  release_->setEntries(releases);
  for (controls::XPButton* b : {mode_, reset_, allBypass_, allBypassTwin_}) {
    b->setGeometry(ol::ChannelPageControl(platform::controlId(b)));
  }
  Refresh();
  update();
}

void OutputDlg::ShowChannelPage(bool channelPage) {
  channelPage_ = channelPage;
  page_->setOn(channelPage);
  for (QWidget* w : bandPage_) w->setVisible(!channelPage);
  for (QWidget* w : channelControls_) w->setVisible(channelPage);
  // 1870 stays in the template but out of sight: 1976 is the one shown.
  allBypassTwin_->setVisible(false);
  update();
}

void OutputDlg::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  p.drawPixmap(e->rect(), background_[platform::isChinese() ? 1 : 0][channelPage_ ? 1 : 0], e->rect());
}

bool OutputDlg::event(QEvent* e) {
  if (platform::MessageEvent* m = platform::MessageEvent::from(e)) {
    messages_.dispatch(*m);
    return true;
  }
  return QWidget::event(e);
}

// ---- showing the model ----

CKTV_OutData& OutputDlg::Current() { return model_.Out(current_); }

graph::CFStatic* OutputDlg::Graph() const {
  return formWidget_ ? platform::findControl<graph::CFStatic>(formWidget_, outids::kGraph) : nullptr;
}

void OutputDlg::SetChannel(int n) {
  if (n >= 0 && n < ::layout::kChannelCount) current_ = n;
}

void OutputDlg::Refresh() {
  if (graph::CFStatic* g = Graph()) SetChannel(g->Channel());
  LinkGuard hold(engine_.Lock());
  ShowAllBypass();
  ShowMode(Current().EqMode());
  for (int b = 0; b < ol::kBands; ++b) ShowBand(b);
  ShowChannelValues();
  Highlight(-1, nullptr);
}

void OutputDlg::ShowMode(int mode) {
  modeShown_ = mode;
  mode_->setOn(mode != 0);
  // In graphic mode the frequencies and widths are fixed: their edits cannot take the focus.
  for (int b = 0; b < ol::kBands; ++b) {
    frequency_[b]->setEnabled(mode == 0);
    q_[b]->setEnabled(mode == 0);
  }
}

void OutputDlg::ShowBand(int b) {
  const CFilter& f = Current().Band(b);
  frequency_[b]->setPos(f.Frequency());
  q_[b]->setPos(f.BandwidthIndex());
  // An inactive band shows 0.0 dB and its slider in the middle; its own gain stays in the model.
  gain_[b]->setPos(f.GainCode());
  slider_[b]->setPos(f.GainCode());
  bypass_[b]->setOn(f.IsInactive());
}

bool OutputDlg::AllBandsBypassed() const {
  const CKTV_OutData& out = model_.Out(current_);
  for (int b = 0; b < ol::kBands; ++b) {
    if (!out.Band(b).IsInactive()) return false;
  }
  return true;
}

void OutputDlg::ShowAllBypass() {
  allBypassShown_ = AllBandsBypassed();
  allBypass_->setOn(allBypassShown_);
  allBypassTwin_->setOn(allBypassShown_);
  if (formWidget_) {
    if (auto* mirror = platform::findControl<controls::XPButton>(formWidget_, outids::kFormAllBypass)) {
      mirror->setOn(allBypassShown_);
    }
  }
}

void OutputDlg::ShowChannelValues() {
  CKTV_OutData& out = Current();
  hpType_->setCurSel(out.HighPass().CrossoverType());
  hpSlope_->setCurSel(out.HighPass().Slope());
  hpEdit_->setPos(out.HighPass().Frequency());
  lpType_->setCurSel(out.LowPass().CrossoverType());
  lpSlope_->setCurSel(out.LowPass().Slope());
  lpEdit_->setPos(out.LowPass().Frequency());
  channelGain_->setPos(out.IsGainSilent() ? 0 : out.Gain());
  threshold_->setPos(out.LimiterThreshold());
  attack_->setPos(out.LimiterAttack());
  release_->setCurSel(out.LimiterRelease());
}

void OutputDlg::ShowFormGain() {
  if (!formWidget_) return;
  for (int ch = 0; ch < ::layout::kChannelCount; ++ch) {
    const int gain = model_.Out(ch).IsGainSilent() ? 0 : model_.Out(ch).Gain();
    if (auto* edit = platform::findControl<NumEdit>(formWidget_, outids::kFormChannelGainEdit + ch)) {
      edit->setPos(gain);
    }
    if (auto* slider = platform::findControl<controls::BitmapSlider>(formWidget_,
                                                                     outids::kFormChannelGainSlider + ch)) {
      slider->setPos(gain);
    }
  }
}

void OutputDlg::Highlight(int band, NumEdit* edit) {
  if (highlightedBand_ >= 0) number_[highlightedBand_]->setColour(kNumberGrey);
  highlightedBand_ = band;
  if (band >= 0) number_[band]->setColour(kNumberRed);
  if (highlightedEdit_ && highlightedEdit_ != edit) highlightedEdit_->setHighlight(false);
  highlightedEdit_ = edit;
  if (edit) edit->setHighlight(true);
}

void OutputDlg::RedrawGraph(int index) {
  if (graph::CFStatic* g = Graph()) {
    g->Redraw(index);
    g->update();
  }
}

}  // namespace app
