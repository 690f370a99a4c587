#pragma once
// Connecting to the processor and keeping the link: the three connect entry
// points, the identification check, the read-back batch, and the handlers of
// the link's notifications. Every method runs on the owner's (user-interface)
// thread, never with the link lock held by the caller; the ones that queue
// commands take the lock themselves.

#include <atomic>
#include <memory>
#include <string>

#include "tuner/link/CKTVCommand.h"
#include "tuner/link/UsbTransport.h"

// Texts the owner shows for link failures, in the current language.
const char* UnableToConnectText();
const char* OldFirmwareText();

class Connection {
 public:
  static constexpr const char* kExpectedIdentity = "DSD-770-31EQ-V3.0";
  static constexpr int kComparedIdentityChars = 15;
  static constexpr int kUpdateRestartStage = 176;  // the device re-enumerates into its loader

  Connection(CKTVCommand& engine, HidBackend& backend, SettingsStore* claims, LinkTimings timings = {});

  CKTVCommand& Engine() { return engine_; }
  UsbTransport& Transport() { return transport_; }

  // Start-up and the connect button: the first matching device.
  bool ConnectFirst();
  // A device that was plugged in.
  bool ConnectPath(const std::string& path);
  // The connect button while connected.
  void Disconnect();
  // After the device is open: only the identification request is queued.
  void BeginConnect();

  // Handlers of WM_LINK_IDENTITY (false: wrong processor, disconnected
  // silently), WM_LINK_LIVE_OUTPUTS, WM_LINK_FAILURE (true: the link was torn
  // down and UnableToConnectText is to be shown) and WM_LINK_OLD_FIRMWARE.
  bool OnIdentity();
  void OnLiveOutputs(int slot);
  // WM_LINK_BATCH_DONE: the transfer progress ends.
  void OnBatchDone() { batchRunning_ = false; }
  bool OnFailure();
  void OnOldFirmware();
  // Device arrival (true when it was connected) and removal (true when the
  // link was closed and UnableToConnectText is to be shown).
  bool OnDeviceArrival(const std::string& path);
  bool OnDeviceRemoval(const std::string& path);
  // Window destruction: stop without waiting, release the claim.
  void Shutdown();

  // Batches: numbered by the running counter; the last command of a batch is
  // marked as the end of a read or a write.
  enum class BatchEnd { kNotLast, kLastOfRead, kLastOfWrite };
  void StartBatch() { batchCounter_ = 0; }
  CSendData* AddToBatch(std::unique_ptr<CSendData> command, BatchEnd end = BatchEnd::kNotLast);
  // Raises the batch-running flag; the progress range is the final counter.
  void BeginBatchProgress();
  void EnqueueSystemReadBack();
  void EnqueueOutputReadBack(int slot);

  bool IsConnected() const { return connected_; }
  bool IsBatchRunning() const { return batchRunning_; }
  int BatchCounter() const { return batchCounter_; }
  int ProgressRange() const { return progressRange_; }
  void SetLastUpdateStage(int stage) { lastUpdateStage_ = stage; }

 private:
  void StopAndClose();
  void CloseLink();

  CKTVCommand& engine_;
  UsbTransport transport_;
  std::atomic<bool> connected_{false};
  std::atomic<bool> batchRunning_{false};
  int batchCounter_ = 0;
  int progressRange_ = 0;
  std::atomic<int> lastUpdateStage_{0};
};
