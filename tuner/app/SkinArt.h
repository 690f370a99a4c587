#pragma once
// The pictures of the tuner, drawn in code: the dark, brushed-metal look of
// the form with amber accents. Everything that carries a text takes the text
// of the current language, so callers draw again when the language changes.

#include <QPixmap>
#include <QString>

#include "tuner/controls/XPButton.h"
#include "tuner/controls/xSkinButton.h"

namespace app::art {

// Colours of the look.
extern const QColor kAccent;      // amber
extern const QColor kPanel;       // panel fill
extern const QColor kPanelEdge;   // panel border
extern const QColor kLabel;       // label text
extern const QColor kDimLabel;    // secondary text

enum class Face { Normal, Hover, Pressed, Disabled };

// One face of a push button; `on` lights it in the accent colour.
QPixmap ButtonFace(QSize size, const QString& text, Face face, bool on = false);
// The six images of an XPButton; onText empty: the same text in both states.
controls::XPSkin MakeXPSkin(QSize size, const QString& offText, const QString& onText = {});
// The looks of an xSkinButton.
controls::SkinLooks MakeSkinLooks(QSize size, const QString& text);

// Slider pictures: the groove, the lit part of the groove and the thumb.
QPixmap SliderChannel(QSize size, Qt::Orientation o, bool lit);
QPixmap SliderThumb(QSize size, Qt::Orientation o, bool active);

// A speaker position marker on the car picture.
QPixmap SpeakerMarker(int diameter, bool hover);

// The 1280 x 686 background of the main form in one language.
QPixmap MainFormBackground(bool chinese);

// The About dialog's picture.
QPixmap AboutBackground(QSize size);

// The program icon.
QPixmap ProgramIcon(int size);

}  // namespace app::art
