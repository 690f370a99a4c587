#pragma once
// Notifications from the link to its owner (the main view), by number, and
// the interface through which they are delivered.

#include <cstdint>

enum LinkMessage : int {
  WM_LINK_LIVE_OUTPUTS = 1134,
  WM_LINK_SLOTS_READ = 1135,
  WM_LINK_ITEM64 = 1136,
  WM_LINK_EFFECT_LIVE = 1143,
  WM_LINK_EFFECT_SAVED = 1144,
  WM_LINK_BATCH_DONE = 1174,
  WM_LINK_UPDATE_DONE = 1175,
  WM_LINK_FAILURE = 1178,
  WM_LINK_OLD_FIRMWARE = 1184,
  WM_LINK_IDENTITY = 1185,
  WM_LINK_NAME = 1187,
  WM_LINK_STATUS_C = 1189,
  WM_LINK_STATUS_A = 1190,
  WM_LINK_STATUS_B = 1191,
};

// Receiver of the link's notifications. Both calls come from the pump thread
// while it holds the link lock: they must queue the event for the owner's own
// thread and return at once, never wait for that thread.
class LinkOwner {
 public:
  virtual ~LinkOwner() = default;
  virtual void Post(int msg, intptr_t wParam, intptr_t lParam) = 0;
  // The transfer progress display moves to position.
  virtual void Progress(int position) { (void)position; }
};
