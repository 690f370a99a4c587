#include "tuner/app/OutputDlgArt.h"

#include <QLinearGradient>
#include <QPainter>

#include "tuner/app/AppResources.h"
#include "tuner/app/OutputDlgLayout.h"
#include "tuner/app/SkinArt.h"

namespace app::art {

namespace {

namespace ol = outlayout;

QString pick(bool chinese, const char* zh, const char* en) { return QString::fromUtf8(chinese ? zh : en); }

void fillPanel(QPainter& p, const QRect& r) {
  QLinearGradient fill(r.topLeft(), r.bottomLeft());
  fill.setColorAt(0, kPanel.lighter(112));
  fill.setColorAt(1, kPanel.darker(115));
  p.fillRect(r, fill);
}

void group(QPainter& p, const QRect& r) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kPanelEdge, 1));
  p.setBrush(QColor(255, 255, 255, 8));
  p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
  p.restore();
}

void text(QPainter& p, const QRect& r, const QString& s, int px, QColor colour, int align) {
  p.setFont(ArialPixels(px));
  p.setPen(colour);
  p.drawText(r, align, s);
}

void paintBandPage(QPainter& p, bool chinese) {
  // Alternate column shading, so each band reads as one column.
  for (int b = 0; b < ol::kBands; b += 2) {
    const QRect top = ol::BandCell(b, ol::Row::Number);
    p.fillRect(QRect(top.left(), 0, ol::kColumnWidth, ol::kPanelSize.height()), QColor(255, 255, 255, 9));
  }
  // Boxes under the three numeric rows.
  for (ol::Row row : {ol::Row::Frequency, ol::Row::Q, ol::Row::Gain}) {
    for (int b = 0; b < ol::kBands; ++b) {
      const QRect box = ol::BandCell(b, row).adjusted(1, 0, -1, -1);
      p.fillRect(box, QColor(6, 7, 9, 170));
      p.setPen(QColor(64, 71, 86, 160));
      p.drawLine(box.bottomLeft(), box.bottomRight());
    }
  }
  const int left = Qt::AlignLeft | Qt::AlignVCenter;
  text(p, ol::CaptionCell(ol::Row::Frequency).adjusted(3, 0, 0, 0), pick(chinese, "频率", "HZ"), 10, kLabel, left);
  text(p, ol::CaptionCell(ol::Row::Q).adjusted(3, 0, 0, 0), pick(chinese, "带宽", "Q"), 10, kLabel, left);
  text(p, ol::CaptionCell(ol::Row::Gain).adjusted(3, 0, 0, 0), pick(chinese, "增益", "Gain"), 10, kLabel, left);
  // The gain scale: 20 at the slider's top, -20 at its bottom.
  const QRect caption = ol::CaptionCell(ol::Row::Slider);
  for (int db = 20; db >= -20; db -= 10) {
    const int y = ol::GainY(ol::kGainZero + db * 10);
    text(p, QRect(caption.left(), y - 6, caption.width() - 6, 12), QString::number(db), 9,
         db == 0 ? kAccent : kDimLabel, Qt::AlignRight | Qt::AlignVCenter);
    p.setPen(db == 0 ? QColor(255, 150, 28, 90) : QColor(255, 255, 255, 22));
    p.drawLine(caption.right() - 4, y, ol::kCaptionWidth + ol::kBands * ol::kColumnWidth - 2, y);
  }
}

void paintChannelPage(QPainter& p, bool chinese) {
  group(p, ol::kEqGroup);
  group(p, ol::kCrossoverGroup);
  group(p, ol::kLimiterGroup);
  int count = 0;
  const ol::Caption* captions = ol::ChannelPageCaptions(&count);
  for (int i = 0; i < count; ++i) {
    const bool heading = i < 3;
    text(p, captions[i].rect, pick(chinese, captions[i].zh, captions[i].en), heading ? 12 : 11,
         heading ? kAccent : kLabel, Qt::AlignLeft | Qt::AlignVCenter);
  }
  // Wells under the numeric edits of the page.
  for (int id : {1004, 1005, 1625, 1010, 1609}) {
    p.fillRect(ol::ChannelPageControl(id), QColor(6, 7, 9, 170));
  }
}

}  // namespace

QPixmap OutputPanelBackground(bool chinese, OutputPage page) {
  QPixmap pix(ol::kPanelSize);
  QPainter p(&pix);
  fillPanel(p, pix.rect());
  if (page == OutputPage::Bands) paintBandPage(p, chinese);
  else paintChannelPage(p, chinese);
  p.setPen(kPanelEdge);
  p.drawRect(pix.rect().adjusted(0, 0, -1, -1));
  return pix;
}

controls::XPSkin BandBypassSkin(QSize size) { return MakeXPSkin(size, "BY"); }

}  // namespace app::art
