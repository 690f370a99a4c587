#include "tuner/app/CMsgBox.h"

#include "tuner/platform/MessageBox.h"

namespace app {

void CMsgBox::ShowNotConnected() const { platform::messageBox(parent_, "无法连接设备", "unable to connect"); }

}  // namespace app
