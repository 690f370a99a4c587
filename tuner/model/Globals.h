#pragma once
// Application-wide flags shared by the core and the front ends.

#include <atomic>

// Language of every text shown: 1 Chinese, 0 English. Read when a text is shown.
extern std::atomic<int> g_bChinese;
// Set once a read-back has completed, cleared when one starts and on
// disconnect; edits are marked for sending only while it is set.
extern std::atomic<int> g_bConnected;

// The Chinese or the English text, by the language flag at this moment.
const char* tr2(const char* zh, const char* en);
