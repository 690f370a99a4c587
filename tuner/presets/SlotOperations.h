#pragma once
// The six preset slots of the processor and the transfers between them, the
// live setting and the preset files: what the preset load and save dialogs
// (and tunerctl) call.
//
// Every device operation queues one batch while holding the link lock,
// numbers it for the transfer progress display and marks its last command as
// the end of the batch; the link then reports through the owner's messages:
//   WM_LINK_BATCH_DONE    every batch, when its last command was answered;
//   WM_LINK_LIVE_OUTPUTS  a recall's records are in the live image: the view
//                         applies them with the slot number and sets
//                         g_bConnected again (as after the connect read-back);
//   WM_LINK_SLOTS_READ    a back-up has read all slots: call OnSlotsRead().
// All calls run on the user-interface thread, never with the link lock held
// by another thread on the caller's behalf.

#include <functional>
#include <string>

#include "tuner/presets/PresetFile.h"

class CKTVCommand;
class CKTV_Data;

namespace presets {

constexpr int kSlotCount = 6;

// A queued batch: its progress range (the number of numbered commands), or
// nothing queued.
struct BatchStart {
  bool queued = false;
  int progressRange = 0;
};

// What a file or slot action hands back to the view.
struct PresetOutcome {
  bool ok = false;
  std::string presetName;  // to show as the current preset name
  BatchStart batch;        // the transfer it started, if any
};

// The caption of slot button 1..6: the slot's name, or "音效n" / "Sourcen"
// when the name is empty or no device is connected.
std::string SlotCaption(const CKTV_Data& model, int slot, bool connected);
std::string DefaultSlotCaption(int slot);

// The name rule: a name of blanks only is refused with "The name can not be
// all spaces!" (false).
bool CheckSlotName(const std::string& name);

class SlotOperations {
 public:
  // linkOpen tells whether a device link is open (a recall clears
  // g_bConnected while it runs, so that flag cannot say it).
  SlotOperations(CKTVCommand& engine, std::function<bool()> linkOpen);

  // The operations. Without an open link each shows the not-connected notice
  // and queues nothing; a slot outside 1..6 queues nothing.
  BatchStart RecallSlot(int slot);
  BatchStart StoreSlot(int slot);
  BatchStart StoreIntoLive();
  BatchStart WriteEverything();
  BatchStart BackUpAllSlots(const std::string& path);
  BatchStart DeleteSlot(int slot);

  // Dialog actions.
  // Slot button of the load dialog: the slot's name becomes the current
  // name, then the slot is recalled.
  PresetOutcome LoadSlot(int slot);
  // Slot button of the save dialog, after the name was entered: refuses a
  // blank name ("The name can not be all spaces!"), else names the slot (cut
  // to 15 characters), makes it the current name and stores the slot.
  PresetOutcome SaveSlot(int slot, const std::string& name);
  // File button of the load dialog: a preset file chosen by its extension
  // ("dsps" or "dspa" exactly; anything else does nothing) is read, applied
  // and sent with StoreIntoLive or WriteEverything.
  PresetOutcome LoadFile(const std::string& path);
  // File button of the save dialog with "current preset": saved at once.
  PresetOutcome SaveCurrentPreset(const std::string& path);
  // With "all slots": BackUpAllSlots(path); the file follows OnSlotsRead().

  // Handler of WM_LINK_SLOTS_READ: writes the pending all-presets file.
  PresetOutcome OnSlotsRead();
  bool IsBackUpPending() const { return !backUpPath_.empty(); }
  // The link was lost: no file will follow.
  void CancelBackUp() { backUpPath_.clear(); }

 private:
  bool CheckLinkOpen() const;

  CKTVCommand& engine_;
  std::function<bool()> linkOpen_;
  std::string backUpPath_;
};

}  // namespace presets
