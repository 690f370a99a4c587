#pragma once
// The processor as the PC sees it over USB: it takes command frames from
// output reports, keeps its own parameter memory (live settings, six slots
// with names, system blocks), and answers as the device does (three 0xA2,
// the reply frame, 64-byte reports with zero padding). Switches make it
// misbehave the ways real devices and cables do.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "tuner/link/DeviceFrames.h"
#include "tuner/model/ParamImage.h"

struct SimulatorFaults {
  bool silent = false;          // takes commands, never answers
  int replyDelayMs = 0;         // every reply is this late
  bool emptyDataReplies = false;  // data replies carry no payload (old firmware)
  int corruptChecksums = 0;     // so many next replies get a wrong checksum
  int resendRequests = 0;       // so many next commands are answered by a resend request
};

class ProcessorSimulator {
 public:
  static constexpr const char* kDefaultIdentity = "DSD-770-31EQ-V3.0";
  static constexpr int kSlots = 6;

  ProcessorSimulator();

  // The USB side: one 65-byte output report from the PC, and the next input
  // report for it (1), or 0 when none is ready within the time.
  void ReceiveReport(const uint8_t* report);
  int TakeReport(uint8_t* report, int timeoutMs);

  // Plugging: an unplugged processor is not enumerated, and handles opened
  // before the unplug stay dead after a replug.
  void Unplug();
  void Replug();
  bool IsPlugged() const;
  uint64_t Generation() const;
  // One open handle at a time, as an exclusive open.
  bool TryOpen(uint64_t generation);
  void Close(uint64_t generation);

  void SetIdentity(const std::string& identity);
  // The three values the status poll reports, as if changed on the hand
  // controller: master volume, master sound, input source.
  void SetStatus(int volume, int sound, int source);
  void SetFaults(const SimulatorFaults& faults);
  SimulatorFaults Faults() const;

  // Its memory, as if stored by earlier sessions.
  void SetChannelRecord(int slot, int channel, const std::vector<uint8_t>& record);
  void SetSlotName(int slot, const std::string& name);

  // Copies of its memory.
  std::vector<uint8_t> ChannelRecord(int slot, int channel) const;
  std::vector<uint8_t> SystemHead() const;
  std::string SlotName(int slot) const;
  std::string Identity() const;
  // Element (0..36) of a live output channel, as last stored.
  std::vector<uint8_t> OutputElement(int channel, int element) const;

  // Called on the writer's thread after each command was handled, outside
  // the simulator's lock.
  void SetCommandObserver(std::function<void(const protocol::Command&)> observer);
  int CommandsHandled() const;

  // Memory to and from a state file (offline tuning). Load fails on a file
  // that is not a simulator state.
  bool Load(const std::string& path);
  bool Save(const std::string& path) const;

  void RestoreFactorySettings();

 private:
  struct Pending {
    std::chrono::steady_clock::time_point ready;
    protocol::Report report;
  };

  // The command handled, if the frame was one and was not refused.
  std::optional<protocol::Command> HandleFrame(const uint8_t* frame, size_t n);
  void Handle(const protocol::Command& c);
  void HandleWrite(const protocol::Command& c);
  void HandleRead(const protocol::Command& c);
  // Record (and its size) addressed by type, slot and channel; nullptr if none.
  uint8_t* Record(int type, int slot, int channel, size_t* size);
  void Reply(const protocol::ReplyHeader& h, const uint8_t* payload = nullptr, size_t n = 0);
  void Data(const protocol::Command& c, const uint8_t* payload, size_t n);
  void Acknowledge(const protocol::Command& c);

  mutable std::mutex mutex_;
  std::condition_variable replyReady_;
  std::unique_ptr<ParamImage> memory_;
  std::vector<uint8_t> incoming_;
  std::deque<Pending> outgoing_;
  SimulatorFaults faults_;
  bool plugged_ = true;
  uint64_t generation_ = 1;
  bool open_ = false;
  int commands_ = 0;
  std::function<void(const protocol::Command&)> observer_;
};
