#include "tuner/model/Globals.h"

std::atomic<int> g_bChinese{0};
std::atomic<int> g_bConnected{0};

const char* tr2(const char* zh, const char* en) { return g_bChinese ? zh : en; }
