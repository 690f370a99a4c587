#pragma once
// The response graph: the summed curves of the current output channel and of
// every channel whose curve is switched on, the markers of the current
// channel's 31 bands and two crossover filters, the width handles of the
// selected peaking band and a caption with the selected filter's values.
// Dragging a marker or handle edits the model directly (under the link lock);
// the owner is told at most every 50 ms by message 1124.

#include <QBasicTimer>
#include <QCursor>
#include <QWidget>

#include <array>
#include <mutex>
#include <optional>

#include "tuner/filters/GraphGeometry.h"
#include "tuner/link/CKTVCommand.h"
#include "tuner/model/ParamImage.h"

class CFilter;
class CKTV_Data;
class CKTV_OutData;

namespace graph {

// Posted to the owner: wParam = index of the filter changed (0 ... 30 bands,
// 31 high-pass, 32 low-pass), lParam = the notification code.
constexpr int kMsgGraphChanged = 1124;
// Notification code of output channel n: record kind 3 times 256 plus n.
constexpr int kOutputChannelCode = 3 * 256;
constexpr int kHighPassIndex = 31, kLowPassIndex = 32;
constexpr int kOutputChannelMode = 4;
constexpr int kNotifyPeriodMs = 50;

// Curve colour of each output channel.
QColor CurveColour(int channel);

class CFStatic : public QWidget {
  Q_OBJECT
 public:
  CFStatic(QWidget* parent, int controlId);

  // The model shown and the lock its edits are made under (may be null when
  // no link exists, as in tests of the drawing alone).
  void Bind(CKTV_Data* model, LinkMutex* lock);

  // Shows output channel n: mode 4, no current filter.
  void SetChannel(int n);
  int Channel() const { return channel_; }
  void SetMode(int mode);
  int Mode() const { return mode_; }
  // Caption of filter `index`, or of the current filter for -1; repaints.
  void Redraw(int index = -1);

  // Curve switches of the ten output channels.
  void SetCurveVisible(int channel, bool visible);
  bool IsCurveVisible(int channel) const { return visible_[channel]; }

  // Cursor shown while dragging (the arrow when none is given).
  void SetDragCursor(const QCursor& cursor) { dragCursor_ = cursor; }

  // Geometry of the current channel's filters, for tests and the owner.
  const PlotMapping& Mapping() const { return mapping_; }
  QRect MarkerOf(int index) const;
  std::pair<QRect, QRect> HandlesOf(int index) const;
  int CurrentIndex() const { return current_; }
  int SelectedIndex() const { return selected_; }
  bool IsDragging() const { return drag_ != Drag::None; }
  // The caption drawn now (empty when none).
  QString Caption() const;

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void timerEvent(QTimerEvent* e) override;

 private:
  enum class Drag { None, Marker, LeftHandle, RightHandle };

  CKTV_OutData* Shown() const;
  CFilter* Current() const;
  bool ShowsHandles() const;
  // Holds the link lock, when one is bound, while the model is read or edited.
  std::unique_lock<LinkMutex> Guard() const;

  void DragBand(CFilter& f, QPoint p);
  void DragHandle(CFilter& f, QPoint p);
  void DragCrossover(CFilter& f, QPoint p);

  void PaintFrame(QPainter& painter);
  void PaintGrid(QPainter& painter);
  void PaintCurve(QPainter& painter, int channel);
  void PaintMarkers(QPainter& painter);

  CKTV_Data* model_ = nullptr;
  LinkMutex* lock_ = nullptr;
  PlotMapping mapping_;
  int channel_ = -1;
  int mode_ = kOutputChannelMode;
  int current_ = -1;         // filter pointed at or dragged
  int captionIndex_ = -1;    // -1: the current filter's caption
  int selected_ = -1;        // last filter hit
  Drag drag_ = Drag::None;
  bool changePending_ = false;
  std::array<bool, layout::kChannelCount> visible_{};
  std::optional<QCursor> dragCursor_;
  QBasicTimer notifyTimer_;
};

}  // namespace graph
