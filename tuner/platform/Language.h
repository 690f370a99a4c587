#pragma once
// The language flag and text picker of the core, with the forms the widgets
// need: every user-visible text is written once in Chinese and once in
// English (UTF-8 in the sources) and picked when it is shown.

#include "tuner/model/Globals.h"

#include <QString>

namespace platform {

// tr2 as a QString.
QString text2(const char* zh, const char* en);

inline bool isChinese() { return g_bChinese.load() != 0; }
void setChinese(bool chinese);

}  // namespace platform
