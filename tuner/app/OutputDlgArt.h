#pragma once
// The pictures of the output channel panel, in the look of the main form:
// the background of each page in each language and the faces of its small
// buttons.

#include <QPixmap>

#include "tuner/controls/XPButton.h"

namespace app::art {

enum class OutputPage { Bands, Channel };

// The 902 x 156 background of one page of the panel.
QPixmap OutputPanelBackground(bool chinese, OutputPage page);

// The "BY" button of a band column (lit when bypassed).
controls::XPSkin BandBypassSkin(QSize size);

}  // namespace app::art
