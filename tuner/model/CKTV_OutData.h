#pragma once
// One output channel: its filters, gain, phase, mute, delay, limiter, input
// routing and name, with the pending marks of its 8-byte blocks.

#include <array>
#include <cstdint>
#include <string>

#include "tuner/model/CKTVEQ.h"
#include "tuner/model/LinkGroups.h"

class CKTV_OutData {
 public:
  enum PendingFlag : int { kPendName = 0, kPendRoutingLow, kPendChannel, kPendLimiter, kPendRoutingHigh, kPendCount };

  // groups may be null for a channel that belongs to no model.
  CKTV_OutData(int index, LinkGroups* groups);
  CKTV_OutData(const CKTV_OutData&) = delete;
  CKTV_OutData& operator=(const CKTV_OutData&) = delete;

  // Setters of the channel panel; each marks its block. Gain, phase and mode
  // copy gain, mode and reserved byte to the link group; the limiter setters
  // copy the whole limiter.
  void SetGain(int code);
  void SetSoundOn(int on);
  void SetDelay(int code);
  void SetPhase(int phase);
  void SetEqMode(int mode);
  void SetLimiterThreshold(int code);
  void SetLimiterAttack(int code);
  void SetLimiterRelease(int code);
  void SetRoutingLevel(int input, int level);  // input 0..15
  void SetName(const std::string& name);
  // Every band back to its ISO centre, bandwidth 0.2 octave, 0 dB (switched off).
  void ResetEq();

  bool IsPending(PendingFlag f) const { return pending_[f] != 0; }
  void ClearPending(PendingFlag f) { pending_[f] = 0; }
  void ClearAllPending();  // the channel's flags and every filter's

  // Channel record (298 bytes) <-> object.
  void PackElement(uint8_t* record, int element) const;  // elements 31..36
  void PackBand(uint8_t* record, int band) const;
  void PackAll(uint8_t* record) const;
  void Apply(const uint8_t* record);

  int Index() const { return index_; }
  const std::string& Name() const { return name_; }
  int Gain() const { return gain_; }
  bool IsGainSilent() const { return gainSilent_ != 0; }
  int SoundOn() const { return soundOn_; }
  int Phase() const { return phase_; }
  int Delay() const { return delay_; }
  int EqMode() const { return eqMode_; }
  int Reserved() const { return reserved_; }
  int LimiterThreshold() const { return limiterThreshold_; }
  int LimiterAttack() const { return limiterAttack_; }
  int LimiterRelease() const { return limiterRelease_; }
  int RoutingLevel(int input) const { return routing_[input]; }

  CKTVEQ& Filters() { return eq_; }
  const CKTVEQ& Filters() const { return eq_; }
  CFilter& Band(int i) { return eq_.Band(i); }
  const CFilter& Band(int i) const { return eq_.Band(i); }
  CFilter& HighPass() { return eq_.HighPass(); }
  CFilter& LowPass() { return eq_.LowPass(); }
  const CFilter& HighPass() const { return eq_.HighPass(); }
  const CFilter& LowPass() const { return eq_.LowPass(); }

  // Built-in short name of channel i ("FL" ... "CH10").
  static const char* ShortName(int index);

 private:
  void Mark(PendingFlag f);
  void StoreEqMode(int mode);
  void CopyChannelBlockToGroup();
  void CopyLimiterToGroup();

  int index_;
  LinkGroups* groups_;
  std::string name_;
  CKTVEQ eq_;
  int phase_ = 0;
  int soundOn_ = 0;
  int gain_ = 60;
  int gainSilent_ = 0;
  int delay_ = 0;
  int eqMode_ = 0;
  int reserved_ = 0;
  int limiterThreshold_ = 300;
  int limiterAttack_ = 106;
  int limiterRelease_ = 5;
  std::array<uint8_t, layout::kRoutingCount> routing_{};
  std::array<int, kPendCount> pending_{};
};
