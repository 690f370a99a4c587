#pragma once
// HidBackend over hidapi (hidraw on Linux).

#include "tuner/link/HidBackend.h"

class HidapiBackend : public HidBackend {
 public:
  HidapiBackend();
  ~HidapiBackend() override;
  std::vector<HidDeviceInfo> Enumerate() override;
  std::unique_ptr<HidDevice> Open(const std::string& path) override;
  std::string LastError() const override { return lastError_; }

 private:
  bool initialised_ = false;
  std::string lastError_;
};
