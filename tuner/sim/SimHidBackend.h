#pragma once
// HidBackend that reaches the in-process processor simulator.

#include <memory>

#include "tuner/link/HidBackend.h"
#include "tuner/sim/ProcessorSimulator.h"

class SimHidBackend : public HidBackend {
 public:
  static constexpr const char* kPath = "sim:processor";

  explicit SimHidBackend(std::shared_ptr<ProcessorSimulator> simulator);
  std::vector<HidDeviceInfo> Enumerate() override;
  std::unique_ptr<HidDevice> Open(const std::string& path) override;
  std::string LastError() const override { return lastError_; }

  ProcessorSimulator& Simulator() { return *simulator_; }

 private:
  std::shared_ptr<ProcessorSimulator> simulator_;
  std::string lastError_;
};
