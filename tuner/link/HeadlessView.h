#pragma once
// What the main view does with the link's notifications as far as the model
// and the link are concerned (no screen): the reactions tunerctl, tests and
// benchmarks need, and which a window front end performs before refreshing
// its controls.

#include "tuner/link/Connection.h"
#include "tuner/link/LinkEventQueue.h"

enum class LinkOutcome {
  kNone,
  kReadBackDone,  // the live settings were applied to the model
  kWrongDevice,   // identification mismatch: disconnected, nothing to show
  kLinkLost,      // link torn down: show UnableToConnectText()
  kOldFirmware,   // link closed: show OldFirmwareText()
};

LinkOutcome HandleLinkEvent(Connection& link, const LinkEvent& event);
