#include "tuner/app/CDSP550Doc.h"

namespace app {

CDSP550Doc::CDSP550Doc() : model_(std::make_unique<CKTV_Data>()), title_(QStringLiteral("DSP-350-PRO")) {}

}  // namespace app
