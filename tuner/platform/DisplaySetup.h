#pragma once
// Fixes the logical resolution of this process at 96 pixels per inch with no
// scaling, so that every form, font and picture maps to pixels exactly as laid
// out, whatever the desktop's scaling setting. Call before QApplication exists.

namespace platform {

constexpr int kLogicalDpi = 96;

void fixLogicalDpi();

}  // namespace platform
