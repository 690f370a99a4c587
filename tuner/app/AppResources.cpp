#include "tuner/app/AppResources.h"

namespace app {

namespace {
AppResources& instance() {
  static AppResources r;
  return r;
}
}  // namespace

QFont ArialPixels(int pixelHeight) {
  QFont f(QStringLiteral("Arial"));
  f.setStyleHint(QFont::SansSerif);  // the "swiss" family
  f.setPixelSize(pixelHeight);
  f.setWeight(QFont::Normal);
  return f;
}

void CreateAppResources() {
  AppResources& r = instance();
  if (!r.title.isEmpty()) return;
  r.font14 = ArialPixels(14);
  r.font12 = ArialPixels(12);
  r.font16 = ArialPixels(16);
  r.font18 = ArialPixels(18);
  r.formBrush = QColor(227, 228, 238);
  r.title = QStringLiteral("DSP-330-PRO");
}

const AppResources& Resources() {
  CreateAppResources();
  return instance();
}

}  // namespace app
