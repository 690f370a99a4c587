#include "tuner/app/SkinArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "tuner/app/AppResources.h"
#include "tuner/app/MainFormLayout.h"

namespace app::art {

const QColor kAccent(255, 150, 28);
const QColor kPanel(24, 27, 33);
const QColor kPanelEdge(64, 71, 86);
const QColor kLabel(226, 230, 238);
const QColor kDimLabel(138, 146, 162);

namespace {

QString pick(bool chinese, const char* zh, const char* en) { return QString::fromUtf8(chinese ? zh : en); }

QPixmap transparentPixmap(QSize size) {
  QPixmap p(size);
  p.fill(Qt::transparent);
  return p;
}

// Brushed metal: a dark vertical gradient with faint horizontal grain.
void paintMetal(QPainter& p, const QRect& r, QColor top, QColor bottom) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.fillRect(r, g);
  p.save();
  for (int y = r.top(); y <= r.bottom(); y += 2) {
    p.setPen(QColor(255, 255, 255, (y * 7919 % 5) + 2));
    p.drawLine(r.left(), y, r.right(), y);
  }
  p.restore();
}

// A recessed panel with an optional caption tab in the accent colour.
void paintPanel(QPainter& p, const QRect& r, const QString& caption = {}) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
  QLinearGradient fill(r.topLeft(), r.bottomLeft());
  fill.setColorAt(0, kPanel.lighter(112));
  fill.setColorAt(1, kPanel.darker(115));
  p.setPen(QPen(kPanelEdge, 1));
  p.setBrush(fill);
  p.drawRoundedRect(box, 6, 6);
  p.setPen(QColor(0, 0, 0, 120));
  p.drawLine(QPointF(box.left() + 6, box.top() + 1.5), QPointF(box.right() - 6, box.top() + 1.5));
  if (!caption.isEmpty()) {
    p.setFont(ArialPixels(12));
    const int w = p.fontMetrics().horizontalAdvance(caption) + 16;
    const QRectF tab(box.left() + 10, box.top() - 0.5, w, 16);
    QPainterPath path;
    path.addRoundedRect(tab, 3, 3);
    p.fillPath(path, QColor(44, 49, 60));
    p.fillRect(QRectF(tab.left() + 4, tab.bottom() - 2, tab.width() - 8, 2), kAccent);
    p.setPen(kLabel);
    p.drawText(tab, Qt::AlignCenter, caption);
  }
  p.restore();
}

void label(QPainter& p, const QRect& r, const QString& text, int px = 14, QColor colour = kLabel,
           int align = Qt::AlignLeft | Qt::AlignVCenter) {
  p.setFont(ArialPixels(px));
  p.setPen(colour);
  p.drawText(r, align, text);
}

// The car seen from above, front at the top.
void paintCar(QPainter& p, bool chinese) {
  const QRect panel = layout::kCarPanel;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF body(panel.center().x() - 74, panel.top() + 30, 148, 262);
  QLinearGradient paint(body.topLeft(), body.topRight());
  paint.setColorAt(0, QColor(46, 52, 64));
  paint.setColorAt(0.5, QColor(74, 82, 98));
  paint.setColorAt(1, QColor(46, 52, 64));
  p.setPen(QPen(QColor(120, 130, 150), 1.5));
  p.setBrush(paint);
  p.drawRoundedRect(body, 46, 38);
  // Windscreen, rear window and roof.
  p.setBrush(QColor(20, 26, 36));
  p.setPen(QPen(QColor(90, 100, 120), 1));
  QPainterPath windscreen;
  windscreen.moveTo(body.left() + 18, body.top() + 72);
  windscreen.quadTo(body.center().x(), body.top() + 52, body.right() - 18, body.top() + 72);
  windscreen.lineTo(body.right() - 26, body.top() + 96);
  windscreen.quadTo(body.center().x(), body.top() + 84, body.left() + 26, body.top() + 96);
  windscreen.closeSubpath();
  p.drawPath(windscreen);
  p.drawRoundedRect(QRectF(body.left() + 28, body.bottom() - 62, body.width() - 56, 24), 8, 8);
  // Seats.
  p.setBrush(QColor(34, 38, 46));
  for (int row = 0; row < 2; ++row) {
    for (int side = 0; side < 2; ++side) {
      const QRectF seat(body.left() + 24 + side * 58, body.top() + 112 + row * 62, 42, 44);
      p.drawRoundedRect(seat, 9, 9);
    }
  }
  // Front marker.
  label(p, QRect(panel.left(), panel.top() + 10, panel.width(), 16), pick(chinese, "车头", "FRONT"), 12, kDimLabel,
        Qt::AlignCenter);
  // Speaker spots under their buttons.
  for (const auto& spot : layout::SpeakerSpots()) {
    QRadialGradient glow(spot.centre, 13);
    glow.setColorAt(0, QColor(255, 150, 28, 70));
    glow.setColorAt(1, QColor(255, 150, 28, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(spot.centre), 13, 13);
  }
  p.restore();
}

void paintHeader(QPainter& p, bool chinese) {
  const QRect h = layout::kHeader;
  paintMetal(p, h, QColor(44, 48, 57), QColor(20, 22, 27));
  p.fillRect(QRect(h.left(), h.bottom() - 1, h.width(), 2), kAccent);
  QFont logo = ArialPixels(22);
  logo.setBold(true);
  logo.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
  p.setFont(logo);
  p.setPen(kLabel);
  p.drawText(QRect(18, 0, 200, 38), Qt::AlignVCenter | Qt::AlignLeft, "DSP-330-PRO");
  label(p, QRect(196, 0, 300, 38), pick(chinese, "数字音频处理器 调音软件", "Digital Sound Processor Tuning"), 14,
        kDimLabel);
}

void paintChannelStrips(QPainter& p, bool chinese) {
  const QRect r = layout::kChannelStrips;
  paintPanel(p, r);
  struct Row {
    int y, h;
    const char* zh;
    const char* en;
  };
  const Row rows[] = {{494, 22, "通道", "Channel"},
                      {522, 20, "静音/相位", "Mute/POL"},
                      {550, 94, "增益", "Gain"},
                      {652, 22, "类型", "Type"}};
  for (const Row& row : rows) {
    label(p, QRect(r.left() + 8, row.y, layout::kStripLabelWidth - 10, row.h), pick(chinese, row.zh, row.en), 12,
          kDimLabel);
  }
  p.setPen(QColor(255, 255, 255, 16));
  for (int i = 1; i < layout::kChannels; ++i) {
    const int x = layout::ChannelButton(i).left() - 4;
    p.drawLine(x, r.top() + 18, x, r.bottom() - 8);
  }
  // The dB scale beside each gain slider.
  for (int i = 0; i < layout::kChannels; ++i) {
    const QRect s = layout::GainSlider(i);
    label(p, QRect(s.right() + 4, s.top() - 2, 44, 14), "0dB", 12, kDimLabel);
    label(p, QRect(s.right() + 4, s.bottom() - 12, 44, 14), "-60dB", 12, kDimLabel);
  }
}

void paintCrossover(QPainter& p, bool chinese) {
  const QRect r = layout::kCrossoverPanel;
  paintPanel(p, r);
  label(p, QRect(994, r.top() + 4, 124, 18), pick(chinese, "高通", "HPF"), 14, kAccent, Qt::AlignCenter);
  label(p, QRect(1138, r.top() + 4, 124, 18), pick(chinese, "低通", "LPF"), 14, kAccent, Qt::AlignCenter);
  const char* rows[][2] = {{"频率", "HZ"}, {"斜率", "Oct"}, {"类型", "Type"}};
  for (int i = 0; i < 3; ++i) {
    label(p, QRect(r.left() + 12, 424 + i * 32, 64, 22), pick(chinese, rows[i][0], rows[i][1]));
  }
}

void paintSystem(QPainter& p, bool chinese) {
  const QRect r = layout::kSystemPanel;
  paintPanel(p, r);
  const char* rows[][2] = {{"总音量", "VOL"}, {"控制延时", "REM Delay"}, {"音源输入", "InPut"}, {"噪声门", "Noise"}};
  for (int i = 0; i < 4; ++i) {
    label(p, QRect(r.left() + 12, 540 + i * 36, 92, 22), pick(chinese, rows[i][0], rows[i][1]));
  }
}

void paintUnits(QPainter& p, bool chinese) {
  const struct {
    int id;
    const char* zh;
    const char* en;
  } units[] = {{2286, "厘米", "cm"}, {2285, "毫秒", "ms"}, {2287, "英寸", "inch"}};
  for (const auto& u : units) {
    const QRect b = layout::ControlRect(u.id);
    label(p, QRect(b.left(), b.bottom() + 1, b.width(), 14), pick(chinese, u.zh, u.en), 12, kDimLabel,
          Qt::AlignCenter);
  }
  label(p, QRect(layout::kUnitRow.left() + 4, layout::kUnitRow.top() + 4, 30, 20), pick(chinese, "延时", "Delay"), 12,
        kDimLabel);
}

void paintCurveColumn(QPainter& p, bool chinese) {
  paintPanel(p, layout::kCurveColumn);
  label(p, QRect(layout::kCurveColumn.left(), layout::kCurveColumn.bottom() - 18, layout::kCurveColumn.width(), 14),
        pick(chinese, "曲线", "Curves"), 12, kDimLabel, Qt::AlignCenter);
}

}  // namespace

QPixmap ButtonFace(QSize size, const QString& text, Face face, bool on) {
  QPixmap pix = transparentPixmap(size);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box = QRectF(0, 0, size.width(), size.height()).adjusted(0.5, 0.5, -0.5, -0.5);
  QColor top(66, 72, 86), bottom(30, 33, 40);
  if (face == Face::Hover) top = top.lighter(125);
  if (face == Face::Pressed) std::swap(top, bottom);
  if (on) {
    top = face == Face::Pressed ? QColor(170, 92, 10) : QColor(255, 170, 52);
    bottom = face == Face::Pressed ? QColor(255, 160, 40) : QColor(196, 100, 8);
  }
  if (face == Face::Disabled) top = bottom = QColor(40, 42, 48);
  QLinearGradient g(0, 0, 0, size.height());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.setPen(QPen(face == Face::Hover ? kAccent : QColor(12, 13, 16), 1));
  p.setBrush(g);
  p.drawRoundedRect(box, 4, 4);
  p.setPen(QColor(255, 255, 255, 40));
  p.drawLine(QPointF(box.left() + 4, box.top() + 1.5), QPointF(box.right() - 4, box.top() + 1.5));
  // The largest of the form's sizes at which the text fits the face.
  int px = size.height() >= 22 ? 14 : 12;
  for (; px > 9; --px) {
    if (QFontMetrics(ArialPixels(px)).horizontalAdvance(text) <= size.width() - 4) break;
  }
  p.setFont(ArialPixels(px));
  p.setPen(face == Face::Disabled ? QColor(96, 98, 104) : on ? QColor(20, 16, 10) : kLabel);
  const QPoint shift = face == Face::Pressed ? QPoint(1, 1) : QPoint();
  p.drawText(QRect(QPoint(0, 0) + shift, size), Qt::AlignCenter, text);
  return pix;
}

controls::XPSkin MakeXPSkin(QSize size, const QString& offText, const QString& onText) {
  const QString lit = onText.isEmpty() ? offText : onText;
  controls::XPSkin s;
  s.normal = ButtonFace(size, offText, Face::Normal);
  s.hover = ButtonFace(size, offText, Face::Hover);
  s.pressed = ButtonFace(size, offText, Face::Pressed);
  s.normalOn = ButtonFace(size, lit, Face::Normal, true);
  s.hoverOn = ButtonFace(size, lit, Face::Hover, true);
  s.pressedOn = ButtonFace(size, lit, Face::Pressed, true);
  return s;
}

controls::SkinLooks MakeSkinLooks(QSize size, const QString& text) {
  controls::SkinLooks l;
  l.normal = ButtonFace(size, text, Face::Normal);
  l.down = ButtonFace(size, text, Face::Normal, true);
  l.over = ButtonFace(size, text, Face::Hover);
  l.disabled = ButtonFace(size, text, Face::Disabled);
  l.focus = ButtonFace(size, text, Face::Hover);
  return l;
}

QPixmap SliderChannel(QSize size, Qt::Orientation o, bool lit) {
  QPixmap pix = transparentPixmap(size);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  const bool v = o == Qt::Vertical;
  const int groove = 6;
  const QRectF r = v ? QRectF((size.width() - groove) / 2.0, 4, groove, size.height() - 8)
                     : QRectF(4, (size.height() - groove) / 2.0, size.width() - 8, groove);
  QLinearGradient g(r.topLeft(), v ? r.topRight() : r.bottomLeft());
  g.setColorAt(0, lit ? kAccent.darker(130) : QColor(8, 9, 11));
  g.setColorAt(1, lit ? kAccent : QColor(44, 48, 58));
  p.setPen(QPen(QColor(0, 0, 0, 160), 1));
  p.setBrush(g);
  p.drawRoundedRect(r, 3, 3);
  if (!lit) {
    // Tick marks along the groove.
    p.setPen(QColor(255, 255, 255, 40));
    for (int k = 0; k <= 10; ++k) {
      const double t = 6 + k * ((v ? size.height() : size.width()) - 12) / 10.0;
      if (v) p.drawLine(QPointF(1, t), QPointF(r.left() - 3, t));
      else p.drawLine(QPointF(t, 1), QPointF(t, r.top() - 3));
    }
  }
  return pix;
}

QPixmap SliderThumb(QSize size, Qt::Orientation o, bool active) {
  QPixmap pix = transparentPixmap(size);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = QRectF(0, 0, size.width(), size.height()).adjusted(1, 1, -1, -1);
  QLinearGradient g(r.topLeft(), o == Qt::Vertical ? r.bottomLeft() : r.topRight());
  g.setColorAt(0, QColor(200, 204, 212));
  g.setColorAt(0.5, QColor(120, 126, 138));
  g.setColorAt(1, QColor(70, 74, 84));
  p.setPen(QPen(active ? kAccent : QColor(20, 22, 26), active ? 1.5 : 1));
  p.setBrush(g);
  p.drawRoundedRect(r, 3, 3);
  p.setPen(QPen(active ? kAccent : QColor(30, 32, 36), 2));
  if (o == Qt::Vertical) p.drawLine(QPointF(r.left() + 3, r.center().y()), QPointF(r.right() - 3, r.center().y()));
  else p.drawLine(QPointF(r.center().x(), r.top() + 3), QPointF(r.center().x(), r.bottom() - 3));
  return pix;
}

QPixmap SpeakerMarker(int diameter, bool hover) {
  QPixmap pix = transparentPixmap(QSize(diameter, diameter));
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r(1, 1, diameter - 2, diameter - 2);
  QRadialGradient cone(r.center(), diameter / 2.0);
  cone.setColorAt(0, hover ? QColor(255, 210, 120) : QColor(120, 128, 142));
  cone.setColorAt(0.35, QColor(28, 30, 36));
  cone.setColorAt(0.8, QColor(60, 64, 74));
  cone.setColorAt(1, hover ? kAccent : QColor(140, 146, 160));
  p.setPen(QPen(hover ? kAccent : QColor(20, 20, 24), 1.2));
  p.setBrush(cone);
  p.drawEllipse(r);
  return pix;
}

QPixmap MainFormBackground(bool chinese) {
  QPixmap pix(layout::kFormWidth, layout::kFormHeight);
  QPainter p(&pix);
  paintMetal(p, pix.rect(), QColor(38, 42, 50), QColor(14, 15, 19));
  paintHeader(p, chinese);
  paintPanel(p, layout::kGraph);
  paintCurveColumn(p, chinese);
  paintPanel(p, layout::kCarPanel, pick(chinese, "扬声器位置", "Speaker Positions"));
  paintCar(p, chinese);
  paintUnits(p, chinese);
  paintPanel(p, layout::kOutputPanel);
  paintChannelStrips(p, chinese);
  paintCrossover(p, chinese);
  paintSystem(p, chinese);
  return pix;
}

QPixmap AboutBackground(QSize size) {
  QPixmap pix(size);
  QPainter p(&pix);
  paintMetal(p, pix.rect(), QColor(44, 48, 57), QColor(16, 18, 22));
  p.fillRect(QRect(0, 0, size.width(), 3), kAccent);
  QFont logo = ArialPixels(26);
  logo.setBold(true);
  p.setFont(logo);
  p.setPen(kLabel);
  p.drawText(QRect(0, 14, size.width(), 40), Qt::AlignCenter, "DSP-330-PRO");
  return pix;
}

QPixmap ProgramIcon(int size) {
  QPixmap pix = transparentPixmap(QSize(size, size));
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 33, 40));
  p.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
  // Three equaliser bars.
  p.setBrush(kAccent);
  const double w = size / 7.0;
  const double heights[] = {0.45, 0.7, 0.55};
  for (int i = 0; i < 3; ++i) {
    const double h = size * heights[i];
    p.drawRoundedRect(QRectF(w * (1 + 2 * i), size - w - h, w, h), w / 3, w / 3);
  }
  return pix;
}

}  // namespace app::art
