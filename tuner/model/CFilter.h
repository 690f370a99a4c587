#pragma once
// One equaliser band or crossover filter of a channel. Holds the values the
// user set, the frequency last packed for the device (walked towards the set
// one an octave per command) and its own response on the frequency grid.

#include <cstdint>
#include <functional>

#include "tuner/filters/FilterResponse.h"

class CFilter {
 public:
  CFilter(int type, int frequency, int index, bool isBand);

  // Setters recompute the response. "Mark" means pending := g_bConnected.
  void SetFrequency(int hz, bool mark);
  void SetBandwidthIndex(int n);
  void SetGainCode(int code);  // 0..400, gain = code / 10 - 20 dB
  void SetOff(int v);
  void Bypass(int v);          // 1 bypass temporarily, 0 restore
  void SetType(int type, bool mark);
  void SetCrossoverType(int type, bool mark);
  void SetSlope(int slope, bool mark);
  void ResetBand(int hz);
  void SetGraphicMode(int on) { graphicMode_ = on; }
  void SetSpeakerClass(int c) { speakerClass_ = c; }
  // A crossover tells this listener (its frequency edit) of every marked change.
  void SetFrequencyListener(std::function<void(int)> listener) { listener_ = std::move(listener); }

  // One step of the frequency walk, taken when the filter is about to be sent.
  void WalkStep();
  void ClearPending() { pending_ = 0; }

  int Index() const { return index_; }
  bool IsBand() const { return isBand_; }
  int Frequency() const { return frequency_; }
  int AppliedFrequency() const { return appliedFrequency_; }
  bool IsInactive() const { return bypassed_ || off_; }
  bool IsOff() const { return off_ != 0; }
  bool IsBypassed() const { return bypassed_ != 0; }
  double Gain() const { return gain_; }
  int GainCode() const;  // 200 when inactive
  double Bandwidth() const { return bandwidth_; }
  int BandwidthIndex() const;
  int Type() const { return type_; }
  int Slope() const { return slope_; }
  int CrossoverType() const { return crossoverType_; }
  bool IsPending() const { return pending_ != 0; }
  int GraphicMode() const { return graphicMode_; }
  int SpeakerClass() const { return speakerClass_; }

  const filters::Response& Response() const { return response_; }
  filters::FilterDesign Design() const;

  // BandRecord (8 bytes) of a band.
  void PackBand(uint8_t* record) const;
  void ApplyBand(const uint8_t* record);
  // One half (4 bytes) of a crossover block.
  void PackCrossover(uint8_t* half) const;
  void ApplyCrossover(const uint8_t* half);

 private:
  void Mark();
  void Recompute();
  void StoreGainCode(int code);
  void StoreFrequency(int hz, bool mark);

  filters::Response response_{};
  int type_;
  int frequency_;
  int appliedFrequency_ = 20;
  int speakerClass_ = 0;
  double gain_ = 0.0;
  int off_ = 1;
  int bypassed_ = 0;
  int savedBypass_ = 0;
  double bandwidth_ = 0.2;
  int crossoverType_ = 2;
  int slope_ = 2;
  int index_;
  bool isBand_;
  int pending_ = 0;
  int graphicMode_ = 0;
  std::function<void(int)> listener_;
};
