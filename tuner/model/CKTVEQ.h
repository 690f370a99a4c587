#pragma once
// The filter list of one channel: equaliser bands first, then the high-pass
// and the low-pass filter.

#include <vector>

#include "tuner/filters/FrequencyGrid.h"
#include "tuner/model/CFilter.h"

class CKTVEQ {
 public:
  // bandHz: the band frequencies; the two crossovers get speakerClass.
  CKTVEQ(const int* bandHz, int bandCount, int speakerClass);

  int Count() const { return static_cast<int>(filters_.size()); }
  int BandCount() const { return Count() - 2; }
  CFilter& Filter(int i);  // bands, then high-pass, then low-pass
  const CFilter& Filter(int i) const;
  CFilter& Band(int i);
  const CFilter& Band(int i) const;
  CFilter& HighPass();
  CFilter& LowPass();
  const CFilter& HighPass() const;
  const CFilter& LowPass() const;

  // The channel's curve: sum of every filter's response in list order.
  double SumAt(int gridIndex) const;
  void Sum(filters::Response& out) const;

  void SetGraphicMode(int on);
  void Bypass(int v);
  bool AnyBandPending() const;
  void ClearPending();

 private:
  std::vector<CFilter> filters_;
};
