#include "tuner/app/CMsgBox.h"

#include <QString>

#include "tuner/link/Connection.h"
#include "tuner/platform/MessageBox.h"

namespace app {

void CMsgBox::ShowNotConnected() const {
  platform::messageBoxText(parent_, QString::fromUtf8(UnableToConnectText()));
}

}  // namespace app
