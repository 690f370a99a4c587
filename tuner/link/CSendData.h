#pragma once
// One queued command: its frame and the bookkeeping of the transport and of
// the batch it belongs to.

#include <cstdint>
#include <vector>

struct CSendData {
  std::vector<uint8_t> data;  // the frame
  int length = 0;
  int attempts = 0;
  int progressIndex = 0;  // position in its batch; 0 = no progress step
  int lastOfRead = 0;
  int lastOfWrite = 0;
  int position = 0;       // bytes already handed to the transport
  int stage = 0;          // firmware update stage, 0 for ordinary commands
  int closeProgress = 0;

  bool HasMoreToSend() const { return position < length; }
  int LastOfRead() const { return position == length ? lastOfRead : 0; }
  int LastOfWrite() const { return position >= length ? lastOfWrite : 0; }
};
