#include "tuner/platform/DisplaySetup.h"

#include <QCoreApplication>
#include <QtGlobal>

namespace platform {

void fixLogicalDpi() {
  // The environment can ask Qt for scaling on its own; none of it may apply.
  for (const char* var : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
                          "QT_ENABLE_HIGHDPI_SCALING", "QT_FONT_DPI", "QT_SCALE_FACTOR_ROUNDING_POLICY"}) {
    qunsetenv(var);
  }
  QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
  QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
}

}  // namespace platform
