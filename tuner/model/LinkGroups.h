#pragma once
// Which output channels are linked: channels with equal group numbers.

#include <array>

#include "tuner/model/ParamImage.h"

class CKTV_OutData;

class LinkGroups {
 public:
  LinkGroups() {
    for (int i = 0; i < layout::kChannelCount; ++i) group_[i] = i;
  }

  int Group(int channel) const { return group_[channel]; }
  void SetGroup(int channel, int group) { group_[channel] = group; }
  // True when another output channel shares the channel's group.
  bool IsLinked(int channel) const {
    for (int i = 0; i < layout::kChannelCount; ++i) {
      if (i != channel && group_[i] == group_[channel]) return true;
    }
    return false;
  }
  // Calls fn(other) for every other channel of the channel's group.
  template <typename Fn>
  void ForEachOther(int channel, Fn fn) const {
    for (int i = 0; i < layout::kChannelCount; ++i) {
      if (i != channel && group_[i] == group_[channel]) fn(*channels_[i]);
    }
  }

  CKTV_OutData* Channel(int i) const { return channels_[i]; }
  void SetChannel(int i, CKTV_OutData* channel) { channels_[i] = channel; }

 private:
  std::array<int, layout::kChannelCount> group_{};
  std::array<CKTV_OutData*, layout::kChannelCount> channels_{};
};
