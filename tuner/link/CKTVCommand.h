#pragma once
// The frame engine: builds command frames from the parameter image, keeps the
// command queue, parses the reply stream and stores what the processor sends
// into the image, telling the owner by posted notifications.
//
// Locking: one recursive mutex, the link lock, guards the queue, the receive
// state, the parameter model and its image. The pump thread holds it for each
// whole exchange; user-interface code holds it (LinkGuard) around every model
// edit and around enqueueing a batch. Nothing here locks by itself.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "tuner/link/CSendDataQueue.h"
#include "tuner/link/LinkMessages.h"
#include "tuner/link/ReplyAssembler.h"

class CKTV_Data;

using LinkMutex = std::recursive_mutex;
using LinkGuard = std::lock_guard<LinkMutex>;

class CKTVCommand {
 public:
  explicit CKTVCommand(CKTV_Data& model);

  LinkMutex& Lock() { return lock_; }
  CKTV_Data& Model() { return model_; }
  void SetOwner(LinkOwner* owner) { owner_ = owner; }
  // Posts a notification to the owner (the transport's failures go this way).
  void PostToOwner(int msg, intptr_t wParam, intptr_t lParam) { Post(msg, wParam, lParam); }

  // Builders: each returns a new command owning its frame (nullptr for
  // arguments no frame exists for); the caller enqueues it.
  std::unique_ptr<CSendData> ElementWrite(int type, int channel, int element);
  std::unique_ptr<CSendData> StatusPoll();
  std::unique_ptr<CSendData> BlockWrite(int slot, int type, int channel, bool fromLive, bool fromSlot);
  std::unique_ptr<CSendData> BlockRead(int slot, int type, int channel, bool loadIntoLive);
  std::unique_ptr<CSendData> SystemRead(int item, int slot);
  std::unique_ptr<CSendData> SystemWrite(int item, int slot);

  // The queue.
  CSendData* Add(std::unique_ptr<CSendData> command);
  CSendData* Head() const { return queue_.Head(); }
  int Count() const { return queue_.Count(); }
  void PopHead() { queue_.PopHead(); }
  void RewindHead();
  void ClearQueue();
  void ResetReceive() { assembler_.Reset(); }

  // Asks the model for its next pending command (a status poll when nothing
  // is pending) and enqueues it.
  CSendData* EnqueueNextPending();

  // Receive entry point: one 65-byte input report (byte 0 is the report id).
  // Returns 1 when a complete, valid reply was handled.
  int FeedReport(const uint8_t* report);

  // Set by a data reply without payload (firmware too old); the pump then
  // performs no exchange until it is started again.
  bool IsPaused() const { return paused_; }
  void SetPaused(bool paused) { paused_ = paused; }

  // Input source last reported by the status poll (the view stores it).
  void SetReportedSource(int source) { reportedSource_ = source; }
  int ReportedSource() const { return reportedSource_; }
  int ProgressPosition() const { return progress_; }

  // Firmware update handling of a head command with a stage (run on replies).
  void SetStageHandler(std::function<void(CSendData&)> handler) { stageHandler_ = std::move(handler); }

 private:
  struct Reply;
  // Where a data reply's payload is stored; not ok when the addressed record
  // does not exist or the payload is longer than it.
  struct Destination {
    uint8_t* bytes = nullptr;
    size_t size = 0;
    bool ok = true;
  };

  std::unique_ptr<CSendData> Build(uint8_t op, int slot, int type, int channel, int element, int linkFlag,
                                   const uint8_t* payload, size_t n);
  void Post(int msg, intptr_t wParam, intptr_t lParam);
  void ProgressStep();
  Destination DestinationOf(const Reply& r);
  void HandleData(const Reply& r, const Destination& dest);
  void AnnounceBlock(const Reply& r);
  void StoreSystemItem(const Reply& r, const Destination& dest);
  void CompareStatus(const Reply& r);
  uint8_t* LiveRecordOf(int type, int channel, size_t* size);

  CKTV_Data& model_;
  LinkMutex lock_;
  LinkOwner* owner_ = nullptr;
  CSendDataQueue queue_;
  ReplyAssembler assembler_;
  std::atomic<bool> paused_{false};
  int reportedSource_ = 0;
  int progress_ = 0;
  std::function<void(CSendData&)> stageHandler_;
};
