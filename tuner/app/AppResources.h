#pragma once
// Application-wide resources every window of the tuner uses: the four Arial
// fonts (sized in pixels), the form colour and the window title.

#include <QColor>
#include <QFont>
#include <QString>

namespace app {

struct AppResources {
  QFont font14, font12, font16, font18;
  QColor formBrush;  // RGB(227, 228, 238): the form's dialog area and coloured dialogs
  QString title;     // "DSP-330-PRO"
};

// Creates the resources once; later calls keep them.
void CreateAppResources();
const AppResources& Resources();

// An Arial font of a height in pixels, weight 400.
QFont ArialPixels(int pixelHeight);

}  // namespace app
