#pragma once
// The whole parameter set: the byte image and the channel objects over it,
// the link groups, the system-block marks and the pending scan that turns
// marks into commands one at a time.
//
// The objects have no locks of their own: callers on the user-interface
// thread hold the link lock (CKTVCommand::LinkMutex) around every setter, and
// the pump thread holds it while it scans and stores replies.

#include <array>
#include <memory>
#include <string>

#include "tuner/model/CKTV_OutData.h"
#include "tuner/model/CarriedRecords.h"
#include "tuner/model/LinkGroups.h"
#include "tuner/model/ParamImage.h"

// What the scan wants sent next; the frame engine builds the frame.
struct PendingCommand {
  enum Kind { kSystemWrite, kElementWrite, kStatusPoll };
  Kind kind = kStatusPoll;
  int item = 0;     // kSystemWrite: 144 or 150
  int channel = 0;  // kElementWrite: output channel 0..9
  int element = 0;  // kElementWrite: 0..36
};

class CKTV_Data {
 public:
  CKTV_Data();  // factory image applied to the objects
  CKTV_Data(const CKTV_Data&) = delete;
  CKTV_Data& operator=(const CKTV_Data&) = delete;

  ParamImage& Image() { return *image_; }
  const ParamImage& Image() const { return *image_; }
  CKTV_OutData& Out(int channel) { return *outputs_[channel]; }
  const CKTV_OutData& Out(int channel) const { return *outputs_[channel]; }
  LinkGroups& Groups() { return groups_; }
  const LinkGroups& Groups() const { return groups_; }
  CEffect_Data& Effect() { return effect_; }
  CMIC_InData& Mic() { return mic_; }
  CMusic_InData& Music() { return music_; }

  // Applies the current record of the image to every object. The effect
  // record is taken only for slot numbers 0 and 6; pass -1 for file loads.
  void ApplyPreset(int slotNumber);
  // Applies the live records of the output channels only.
  void ApplyOutputs();
  // Packs every object into the current record.
  void PackAll();

  // The next command to send, with its mark cleared and its block packed
  // into the live record; a status poll when nothing is pending.
  PendingCommand NextPending();
  // Clears every channel and filter mark (system marks stay: a master volume
  // moved while unconnected goes out on the first pull after connecting).
  void ResetPending();

  // Converting between parametric and graphic mode: the channel and its link
  // group take the mode, then every band of the group is reset.
  void ChangeEqMode(int channel, int mode);

  // System blocks 144 and 150 as edited on the main form; a mark makes the
  // scan send the item.
  void MarkSystem(int item);
  bool IsSystemPending(int item) const;
  int Source() const;
  void SetSource(int source);
  int ControlDelay() const;
  void SetControlDelay(int value);
  int MasterVolume() const;
  void SetMasterVolume(int volume);
  int MasterSound() const;
  void SetMasterSound(int on);
  int NoiseGate() const;
  void SetNoiseGate(int value);
  int SpeakerType(int channel) const;
  void SetSpeakerType(int channel, int type);

  // Name of the current record (slot 0) or of stored record 1..20.
  std::string PresetName(int slot) const;
  void SetPresetName(int slot, const std::string& name);  // cut to 15 characters

 private:
  PendingCommand Element(int channel, int element);

  std::unique_ptr<ParamImage> image_;
  CEffect_Data effect_;
  CMIC_InData mic_;
  CMusic_InData music_;
  LinkGroups groups_;
  std::array<std::unique_ptr<CKTV_OutData>, layout::kChannelCount> outputs_;
  int pending144_ = 0;
  int pending150_ = 0;
};
