#include "tuner/platform/Language.h"

namespace platform {

QString text2(const char* zh, const char* en) { return QString::fromUtf8(tr2(zh, en)); }

void setChinese(bool chinese) { g_bChinese = chinese ? 1 : 0; }

}  // namespace platform
