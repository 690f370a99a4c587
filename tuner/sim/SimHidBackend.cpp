#include "tuner/sim/SimHidBackend.h"

namespace {

class SimDevice : public HidDevice {
 public:
  SimDevice(std::shared_ptr<ProcessorSimulator> sim, uint64_t generation)
      : sim_(std::move(sim)), generation_(generation) {}
  ~SimDevice() override { sim_->Close(generation_); }

  bool Write(const uint8_t* report, int) override {
    if (!Alive()) return false;
    sim_->ReceiveReport(report);
    return true;
  }

  int Read(uint8_t* report, int timeoutMs) override {
    if (!Alive()) return -1;
    if (sim_->TakeReport(report, timeoutMs)) return 1;
    return Alive() ? 0 : -1;
  }

 private:
  bool Alive() const { return sim_->IsPlugged() && sim_->Generation() == generation_; }

  std::shared_ptr<ProcessorSimulator> sim_;
  uint64_t generation_;
};

}  // namespace

SimHidBackend::SimHidBackend(std::shared_ptr<ProcessorSimulator> simulator) : simulator_(std::move(simulator)) {}

std::vector<HidDeviceInfo> SimHidBackend::Enumerate() {
  if (!simulator_->IsPlugged()) return {};
  return {{kPath, usb_id::kVendor, usb_id::kProduct, usb_id::kVersion}};
}

std::unique_ptr<HidDevice> SimHidBackend::Open(const std::string& path) {
  const uint64_t generation = simulator_->Generation();
  if (path != kPath || !simulator_->TryOpen(generation)) {
    lastError_ = "cannot open " + path + ": no such device or already in use";
    return nullptr;
  }
  return std::make_unique<SimDevice>(simulator_, generation);
}
