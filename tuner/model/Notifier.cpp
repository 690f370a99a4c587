#include "tuner/model/Notifier.h"

#include <atomic>
#include <cstdio>

#include "tuner/model/Globals.h"

namespace {
std::atomic<Notifier*> g_notifier{nullptr};
}

void SetNotifier(Notifier* notifier) { g_notifier = notifier; }

void ShowMessage(const char* zh, const char* en) {
  const std::string text = tr2(zh, en);
  if (Notifier* n = g_notifier.load()) {
    n->ShowMessage(text);
  } else {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
}
