#include "tuner/link/CKTVCommand.h"

#include <algorithm>
#include <cstring>

#include "tuner/link/Protocol.h"
#include "tuner/model/Bytes.h"
#include "tuner/model/CKTV_Data.h"
#include "tuner/model/Notifier.h"

using namespace protocol;

namespace {

constexpr int kMaxAttempts = 10;
constexpr int kLastChannel = layout::kChannelCount - 1;
constexpr int kLastDeviceSlot = 6;
constexpr size_t kMusicFlagByte = 75;  // set before the live music record goes to a device slot
constexpr size_t kNameChars = 13, kNameReplyChars = 15;
constexpr size_t kFactoryResetSize = 7;
constexpr int kNoLink = 0;

// Bytes of a system item: where they live in the image and how many.
struct ItemBlock {
  uint8_t* bytes;
  size_t size;
};

ItemBlock SystemItemBlock(ParamImage& image, int item) {
  switch (item) {
    case kItem64: return {image.Block64(), layout::kBlock64Size};
    case kItemIdentification: return {image.Identification(), layout::kIdentificationSize};
    case kItem144: return {image.Block144(), layout::kBlock144Size};
    case kItemSpeakerTypes: return {image.SpeakerTypes(), layout::kSpeakerTypesSize};
    case kItem150: return {image.Block150(), layout::kBlock150Size};
    default: return {nullptr, 0};
  }
}

}  // namespace

// Decoded fields of a reply held by the assembler.
struct CKTVCommand::Reply {
  explicit Reply(const uint8_t* f)
      : code(f[1]), slot(f[3]), type(f[4]), item(f[5]), target(f[6]), length(bytes::GetU16(f + 9)),
        payload(f + kReplyPayload) {}
  int code, slot, type, item, target;
  size_t length;
  const uint8_t* payload;
  // Slot of the record the reply is stored into: the addressed one for
  // target 0xAB, the live settings otherwise.
  int StoreSlot() const { return target == kTargetSlot ? slot : 0; }
};

CKTVCommand::CKTVCommand(CKTV_Data& model) : model_(model) {}

void CKTVCommand::Post(int msg, intptr_t wParam, intptr_t lParam) {
  if (owner_) owner_->Post(msg, wParam, lParam);
}

// ---------------------------------------------------------------- builders

std::unique_ptr<CSendData> CKTVCommand::Build(uint8_t op, int slot, int type, int channel, int element, int linkFlag,
                                              const uint8_t* payload, size_t n) {
  auto command = std::make_unique<CSendData>();
  std::vector<uint8_t>& f = command->data;
  f.assign(n + kFrameOverhead, 0);
  f[0] = f[1] = f[2] = kSync;
  f[3] = kFrameStart;
  f[4] = op;
  f[5] = kDeviceId;
  f[6] = static_cast<uint8_t>(slot);
  f[7] = static_cast<uint8_t>(type);
  f[8] = static_cast<uint8_t>(channel);
  f[9] = static_cast<uint8_t>(element);
  f[10] = static_cast<uint8_t>(linkFlag);
  bytes::PutI16(&f[12], static_cast<int>(n));
  if (payload) std::memcpy(&f[kHeaderSize], payload, n);
  f[kHeaderSize + n] = Xor(&f[4], n + kHeaderSize - 4);
  f[kHeaderSize + n + 1] = kEndMark;
  command->length = static_cast<int>(f.size());
  return command;
}

uint8_t* CKTVCommand::LiveRecordOf(int type, int channel, size_t* size) {
  ParamImage& image = model_.Image();
  switch (type) {
    case kMicInput:
      *size = kInputBlockSize;
      return channel == 0 ? image.InputRecord(0, 0) : nullptr;
    case kMusicInput:
      *size = kInputBlockSize;
      return channel >= 1 && channel <= layout::kInputCount ? image.InputRecord(0, channel - 1) : nullptr;
    case kOutput:
      *size = kOutputBlockSize;
      return channel >= 0 && channel < layout::kChannelCount ? image.ChannelRecord(0, channel) : nullptr;
    case kEffect:
      *size = kEffectBlockSize;
      return channel == 0 ? image.EffectRecord(0) : nullptr;
    default:
      return nullptr;
  }
}

std::unique_ptr<CSendData> CKTVCommand::ElementWrite(int type, int channel, int element) {
  size_t size = 0;
  const uint8_t* record = LiveRecordOf(type, channel, &size);
  if (!record || element < 0 || (element + 1) * layout::kElementSize > size) return nullptr;
  const bool linkable = type == kOutput && element != layout::kElemChannel && element <= layout::kElemRoutingLow;
  const int link = linkable && model_.Groups().IsLinked(channel) ? 1 : kNoLink;
  return Build(kWrite, 0, type, channel, element, link, record + element * layout::kElementSize,
               layout::kElementSize);
}

std::unique_ptr<CSendData> CKTVCommand::StatusPoll() {
  const uint8_t payload[kRequestPayload] = {};
  return Build(kRead, 0, kSystem, kItemStatus, 0, kNoLink, payload, sizeof payload);
}

std::unique_ptr<CSendData> CKTVCommand::BlockWrite(int slot, int type, int channel, bool fromLive, bool fromSlot) {
  ParamImage& image = model_.Image();
  size_t size = 0;
  uint8_t* live = LiveRecordOf(type, channel, &size);
  if (!live) return nullptr;
  const uint8_t* payload = live;
  if (type == kEffect) {
    if (!fromLive) {
      if (fromSlot && ParamImage::IsRecordSlot(slot)) payload = image.EffectRecord(slot);
      else if (ParamImage::IsEffectSlot(slot)) payload = image.EffectSlot(slot);
      else return nullptr;
    }
  } else if (!fromLive) {
    if (!ParamImage::IsRecordSlot(slot)) return nullptr;
    payload = live - image.Record(0) + image.Record(slot);
  } else if (type == kMusicInput && slot != 0) {
    live[kMusicFlagByte] = 1;
  }
  const int link = type == kOutput && model_.Groups().IsLinked(channel) ? 1 : kNoLink;
  return Build(kWrite, slot, type, channel, 0, link, payload, size);
}

std::unique_ptr<CSendData> CKTVCommand::BlockRead(int slot, int type, int channel, bool loadIntoLive) {
  const uint8_t payload[kRequestPayload] = {};
  const bool intoLive = loadIntoLive && slot >= 1 && slot <= kLastDeviceSlot;
  return Build(kRead, slot, type, channel, intoLive ? 0 : kTargetSlot, kNoLink, payload, sizeof payload);
}

std::unique_ptr<CSendData> CKTVCommand::SystemRead(int item, int slot) {
  const uint8_t payload[kRequestPayload] = {};
  return Build(kRead, slot, kSystem, item, 0, kNoLink, payload, sizeof payload);
}

std::unique_ptr<CSendData> CKTVCommand::SystemWrite(int item, int slot) {
  ParamImage& image = model_.Image();
  if (item == kItemSlotName) {
    if (!ParamImage::IsRecordSlot(slot)) return nullptr;
    uint8_t name[layout::kNameFieldSize] = {};
    std::memcpy(name, image.Record(slot) + layout::kPresetName, kNameReplyChars);
    return Build(kWrite, slot, kSystem, item, 0, kNoLink, name, sizeof name);
  }
  if (item == kItemFactoryReset) {
    const uint8_t zeros[kFactoryResetSize] = {};
    return Build(kWrite, slot, kSystem, item, 0, kNoLink, zeros, sizeof zeros);
  }
  const ItemBlock block = SystemItemBlock(image, item);
  if (!block.bytes || item == kItemIdentification) return nullptr;
  return Build(kWrite, slot, kSystem, item, 0, kNoLink, block.bytes, block.size);
}

// ------------------------------------------------------------------ queue

CSendData* CKTVCommand::Add(std::unique_ptr<CSendData> command) {
  if (!command) return nullptr;
  if (command->attempts > kMaxAttempts) ShowMessage("数据错误!", "数据错误!");
  CSendData* added = command.get();
  queue_.Add(std::move(command));
  return added;
}

void CKTVCommand::RewindHead() {
  if (CSendData* head = queue_.Head()) head->position = 0;
}

void CKTVCommand::ClearQueue() {
  queue_.Clear();
  assembler_.Clear();
}

CSendData* CKTVCommand::EnqueueNextPending() {
  const PendingCommand next = model_.NextPending();
  switch (next.kind) {
    case PendingCommand::kSystemWrite: return Add(SystemWrite(next.item, 0));
    case PendingCommand::kElementWrite: return Add(ElementWrite(kOutput, next.channel, next.element));
    default: return Add(StatusPoll());
  }
}

// ---------------------------------------------------------------- receive

int CKTVCommand::FeedReport(const uint8_t* report) {
  if (!assembler_.Feed(report + 1, kReportData)) return 0;
  const Reply r(assembler_.Frame());
  const Destination dest = DestinationOf(r);
  if (r.code == kData && !dest.ok) {
    // Declared payload does not fit where it would be stored: resynchronise.
    assembler_.Clear();
    return 0;
  }
  ProgressStep();
  switch (r.code) {
    case kAck:
      assembler_.Clear();
      queue_.PopHead();
      break;
    case kResend:
      assembler_.Reset();
      RewindHead();
      break;
    case kData:
      HandleData(r, dest);
      break;
    default:
      assembler_.Clear();  // a handled frame is never handled twice
      break;
  }
  return 1;
}

CKTVCommand::Destination CKTVCommand::DestinationOf(const Reply& r) {
  ParamImage& image = model_.Image();
  Destination d;
  const int slot = r.StoreSlot();
  switch (r.type) {
    case kMicInput:
    case kMusicInput:
    case kOutput: {
      const int input = r.type == kMicInput ? r.item : r.item - 1;
      const bool exists = ParamImage::IsRecordSlot(slot) &&
                          (r.type == kOutput ? r.item < layout::kChannelCount
                                             : input >= 0 && input < layout::kInputCount && (r.type == kMusicInput || r.item == 0));
      if (!exists) break;
      d.bytes = r.type == kOutput ? image.ChannelRecord(slot, r.item) : image.InputRecord(slot, input);
      d.size = r.type == kOutput ? layout::kChannelRecordSize : layout::kInputRecordSize;
      break;
    }
    case kEffect:
      if (r.item != 0) break;
      if (ParamImage::IsEffectSlot(slot)) {
        d.bytes = image.EffectSlot(slot);
        d.size = layout::kEffectSlotSize;
      } else if (ParamImage::IsRecordSlot(slot)) {
        d.bytes = image.EffectRecord(slot);
        d.size = layout::kEffectRecordSize;
      }
      break;
    case kSystem:
      if (r.item == kItemSlotName) {
        if (ParamImage::IsRecordSlot(r.slot)) {
          d.bytes = image.Record(r.slot) + layout::kPresetName;
          d.size = layout::kNameFieldSize;
        }
      } else if (r.item == kItemStatus) {
        return d;
      } else {
        const ItemBlock block = SystemItemBlock(image, r.item);
        if (!block.bytes) return d;  // an item this product does not store
        d.bytes = block.bytes;
        d.size = block.size;
      }
      break;
    default:
      return d;  // ignored block type
  }
  d.ok = d.bytes != nullptr && r.length <= d.size;
  return d;
}

void CKTVCommand::ProgressStep() {
  CSendData* head = queue_.Head();
  if (!head) return;
  if (head->closeProgress) {
    Post(WM_LINK_BATCH_DONE, 0, 0);
    return;
  }
  if (head->progressIndex == 0) return;
  if (head->stage != 0) {
    if (stageHandler_) stageHandler_(*head);
    return;
  }
  progress_ = head->progressIndex;
  if (owner_) owner_->Progress(progress_);
  if (head->LastOfWrite()) Post(WM_LINK_BATCH_DONE, 0, 1);
  if (head->LastOfRead()) Post(WM_LINK_BATCH_DONE, 0, 0);
}

void CKTVCommand::HandleData(const Reply& r, const Destination& dest) {
  if (r.length == 0) {
    Post(WM_LINK_OLD_FIRMWARE, 0, 0);
    paused_ = true;
    assembler_.Clear();
    return;
  }
  switch (r.type) {
    case kMicInput:
    case kMusicInput:
    case kOutput:
    case kEffect:
      std::memcpy(dest.bytes, r.payload, r.length);
      AnnounceBlock(r);
      break;
    case kSystem:
      StoreSystemItem(r, dest);
      break;
    default:
      assembler_.Clear();
      return;
  }
  assembler_.Clear();
  queue_.PopHead();
}

void CKTVCommand::AnnounceBlock(const Reply& r) {
  if (r.type == kOutput && r.item == kLastChannel) {
    if (r.target != kTargetSlot) Post(WM_LINK_LIVE_OUTPUTS, r.slot, 0);
    else if (r.slot == 0) Post(WM_LINK_LIVE_OUTPUTS, 0, 0);
    else if (r.slot == kLastDeviceSlot) Post(WM_LINK_SLOTS_READ, kLastDeviceSlot, 0);
  } else if (r.type == kEffect) {
    if (r.target == kTargetSlot && r.slot == layout::kLastEffectSlot) Post(WM_LINK_EFFECT_SAVED, r.slot, 0);
    else if (r.target != kTargetSlot && r.slot >= layout::kFirstEffectSlot) Post(WM_LINK_EFFECT_LIVE, r.slot, 0);
  }
}

void CKTVCommand::StoreSystemItem(const Reply& r, const Destination& dest) {
  switch (r.item) {
    case kItemStatus:
      CompareStatus(r);
      break;
    case kItemSlotName: {
      // 13 characters, then spaces in positions 13 and 14.
      const size_t n = std::min(r.length, kNameChars);
      std::memcpy(dest.bytes, r.payload, n);
      std::memset(dest.bytes + n, ' ', kNameReplyChars - n);
      Post(WM_LINK_NAME, r.slot, 0);
      break;
    }
    default:
      if (!dest.bytes) break;
      std::memcpy(dest.bytes, r.payload, r.length);
      if (r.item == kItem64) Post(WM_LINK_ITEM64, 0, 0);
      if (r.item == kItemIdentification) Post(WM_LINK_IDENTITY, 0, 0);
      break;
  }
}

void CKTVCommand::CompareStatus(const Reply& r) {
  if (r.length < 3) return;
  const uint8_t* p = r.payload;
  if (p[2] != reportedSource_) Post(WM_LINK_STATUS_C, p[2], 0);
  else if (p[0] != model_.MasterVolume()) Post(WM_LINK_STATUS_A, p[0], 0);
  else if (p[1] != model_.MasterSound()) Post(WM_LINK_STATUS_B, p[1], 0);
}
