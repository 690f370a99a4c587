#include "tuner/sim/ProcessorSimulator.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "tuner/model/Bytes.h"

using namespace protocol;
using Clock = std::chrono::steady_clock;

namespace {
constexpr char kStateMagic[] = "TUNERSIM1\n";
constexpr size_t kMagicSize = sizeof kStateMagic - 1;
constexpr size_t kNameReplySize = 15;
constexpr size_t kStatusReplySize = 8;
}  // namespace

ProcessorSimulator::ProcessorSimulator() : memory_(std::make_unique<ParamImage>()) {
  RestoreFactorySettings();
}

void ProcessorSimulator::RestoreFactorySettings() {
  memory_->FillFactoryDefaults();
  for (int s = 1; s <= kSlots; ++s) {
    std::memcpy(memory_->Record(s), memory_->Record(0), layout::kPresetRecordSize);
    std::memset(memory_->Record(s) + layout::kPresetName, 0, layout::kNameFieldSize);
  }
  std::memset(memory_->Identification(), 0, layout::kIdentificationSize);
  std::memcpy(memory_->Identification(), kDefaultIdentity, std::strlen(kDefaultIdentity));
}

// ------------------------------------------------------------- USB side

void ProcessorSimulator::ReceiveReport(const uint8_t* report) {
  std::optional<Command> handled;
  std::function<void(const Command&)> observer;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    if (!plugged_) return;
    const uint8_t* data = report + 1;
    // A command starts at the beginning of a report; anything else between
    // commands is padding.
    if (incoming_.empty() && data[0] != kSync) return;
    incoming_.insert(incoming_.end(), data, data + kReportData);
    const size_t length = CommandLength(incoming_.data(), incoming_.size());
    if (length == 0 || incoming_.size() < length) return;
    handled = HandleFrame(incoming_.data(), length);
    incoming_.clear();
    observer = observer_;
  }
  if (handled && observer) observer(*handled);
}

std::optional<Command> ProcessorSimulator::HandleFrame(const uint8_t* frame, size_t n) {
  const std::optional<Command> c = ParseCommand(frame, n);
  if (!c) {
    Reply({kResend, 0, 0, 0, 0});
    return std::nullopt;
  }
  if (faults_.resendRequests > 0) {
    --faults_.resendRequests;
    Reply({kResend, c->slot, c->type, c->item, c->element});
    return std::nullopt;
  }
  Handle(*c);
  ++commands_;
  return c;
}

int ProcessorSimulator::TakeReport(uint8_t* report, int timeoutMs) {
  std::unique_lock<std::mutex> hold(mutex_);
  const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (!plugged_) return 0;
    const auto now = Clock::now();
    if (!outgoing_.empty() && outgoing_.front().ready <= now) break;
    if (now >= end) return 0;
    replyReady_.wait_until(hold, outgoing_.empty() ? end : std::min(end, outgoing_.front().ready));
  }
  std::memcpy(report, outgoing_.front().report.data(), kReportSize);
  outgoing_.pop_front();
  return 1;
}

void ProcessorSimulator::Reply(const ReplyHeader& h, const uint8_t* payload, size_t n) {
  if (faults_.silent) return;
  std::vector<uint8_t> stream = BuildReply(h, payload, n);
  if (faults_.corruptChecksums > 0) {
    --faults_.corruptChecksums;
    stream[stream.size() - 2] ^= 0x5A;
  }
  const auto ready = Clock::now() + std::chrono::milliseconds(faults_.replyDelayMs);
  for (const Report& r : SplitIntoReports(stream)) outgoing_.push_back({ready, r});
  replyReady_.notify_all();
}

void ProcessorSimulator::Acknowledge(const Command& c) { Reply({kAck, c.slot, c.type, c.item, c.element}); }

void ProcessorSimulator::Data(const Command& c, const uint8_t* payload, size_t n) {
  Reply({kData, c.slot, c.type, c.item, c.element}, payload, faults_.emptyDataReplies ? 0 : n);
}

// ---------------------------------------------------------------- memory

uint8_t* ProcessorSimulator::Record(int type, int slot, int channel, size_t* size) {
  const bool knownSlot = slot >= 0 && slot <= kSlots;
  switch (type) {
    case kOutput:
      *size = kOutputBlockSize;
      return knownSlot && channel >= 0 && channel < layout::kChannelCount ? memory_->ChannelRecord(slot, channel)
                                                                         : nullptr;
    case kMicInput:
    case kMusicInput: {
      const int input = type == kMicInput ? channel : channel - 1;
      *size = kInputBlockSize;
      return knownSlot && input >= 0 && input < layout::kInputCount ? memory_->InputRecord(slot, input) : nullptr;
    }
    case kEffect:
      *size = kEffectBlockSize;
      if (ParamImage::IsEffectSlot(slot)) return memory_->EffectSlot(slot);
      return knownSlot ? memory_->EffectRecord(slot) : nullptr;
    default:
      return nullptr;
  }
}

void ProcessorSimulator::Handle(const Command& c) {
  if (c.operation == kWrite) HandleWrite(c);
  else if (c.operation == kRead) HandleRead(c);
  else Reply({kResend, c.slot, c.type, c.item, c.element});
}

void ProcessorSimulator::HandleWrite(const Command& c) {
  const size_t n = c.payload.size();
  if (c.type == kSystem) {
    switch (c.item) {
      case kItem144: std::memcpy(memory_->Block144(), c.payload.data(), std::min(n, layout::kBlock144Size)); break;
      case kItemSpeakerTypes:
        std::memcpy(memory_->SpeakerTypes(), c.payload.data(), std::min(n, layout::kSpeakerTypesSize));
        break;
      case kItem150: std::memcpy(memory_->Block150(), c.payload.data(), std::min(n, layout::kBlock150Size)); break;
      case kItem64: std::memcpy(memory_->Block64(), c.payload.data(), std::min(n, layout::kBlock64Size)); break;
      case kItemSlotName:
        if (c.slot <= kSlots) {
          std::memcpy(memory_->Record(c.slot) + layout::kPresetName, c.payload.data(),
                      std::min(n, layout::kNameFieldSize));
        }
        break;
      case kItemFactoryReset: {
        const std::string identity(reinterpret_cast<const char*>(memory_->Identification()),
                                   strnlen(reinterpret_cast<const char*>(memory_->Identification()),
                                           layout::kIdentificationSize));
        RestoreFactorySettings();
        std::memset(memory_->Identification(), 0, layout::kIdentificationSize);
        std::memcpy(memory_->Identification(), identity.data(), identity.size());
        break;
      }
      default: break;
    }
    Acknowledge(c);
    return;
  }
  size_t size = 0;
  uint8_t* record = Record(c.type, c.slot, c.item, &size);
  if (record) {
    // An element write carries one 8-byte element, a block write the block.
    const size_t at = n == layout::kElementSize ? c.element * layout::kElementSize : 0;
    if (at + n <= size) std::memcpy(record + at, c.payload.data(), n);
  }
  Acknowledge(c);
}

void ProcessorSimulator::HandleRead(const Command& c) {
  if (c.type == kSystem) {
    uint8_t status[kStatusReplySize] = {};
    switch (c.item) {
      case kItemStatus: {
        const uint8_t* sys = memory_->Block144();
        status[0] = static_cast<uint8_t>(bytes::GetI16(sys + layout::kSysMasterVolume));
        status[1] = sys[layout::kSysMasterSound];
        status[2] = sys[layout::kSysSource];
        return Data(c, status, sizeof status);
      }
      case kItem144: return Data(c, memory_->Block144(), layout::kBlock144Size);
      case kItemSpeakerTypes: return Data(c, memory_->SpeakerTypes(), layout::kSpeakerTypesSize);
      case kItem150: return Data(c, memory_->Block150(), layout::kBlock150Size);
      case kItem64: return Data(c, memory_->Block64(), layout::kBlock64Size);
      case kItemIdentification: return Data(c, memory_->Identification(), layout::kIdentificationSize);
      case kItemSlotName:
        if (c.slot <= kSlots) return Data(c, memory_->Record(c.slot) + layout::kPresetName, kNameReplySize);
        break;
      default: break;
    }
    return Data(c, nullptr, 0);  // a request this firmware does not know
  }
  size_t size = 0;
  const uint8_t* record = Record(c.type, c.slot, c.item, &size);
  if (!record) return Data(c, nullptr, 0);
  Data(c, record, size);
}

// ------------------------------------------------------- plugging, state

void ProcessorSimulator::Unplug() {
  std::lock_guard<std::mutex> hold(mutex_);
  plugged_ = false;
  ++generation_;
  open_ = false;
  incoming_.clear();
  outgoing_.clear();
  replyReady_.notify_all();
}

void ProcessorSimulator::Replug() {
  std::lock_guard<std::mutex> hold(mutex_);
  plugged_ = true;
}

bool ProcessorSimulator::IsPlugged() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return plugged_;
}

uint64_t ProcessorSimulator::Generation() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return generation_;
}

bool ProcessorSimulator::TryOpen(uint64_t generation) {
  std::lock_guard<std::mutex> hold(mutex_);
  if (!plugged_ || open_ || generation != generation_) return false;
  open_ = true;
  incoming_.clear();
  outgoing_.clear();
  return true;
}

void ProcessorSimulator::Close(uint64_t generation) {
  std::lock_guard<std::mutex> hold(mutex_);
  if (generation == generation_) open_ = false;
}

void ProcessorSimulator::SetIdentity(const std::string& identity) {
  std::lock_guard<std::mutex> hold(mutex_);
  std::memset(memory_->Identification(), 0, layout::kIdentificationSize);
  std::memcpy(memory_->Identification(), identity.data(), std::min(identity.size(), layout::kIdentificationSize));
}

void ProcessorSimulator::SetStatus(int volume, int sound, int source) {
  std::lock_guard<std::mutex> hold(mutex_);
  uint8_t* sys = memory_->Block144();
  bytes::PutI16(sys + layout::kSysMasterVolume, volume);
  sys[layout::kSysMasterSound] = static_cast<uint8_t>(sound);
  sys[layout::kSysSource] = static_cast<uint8_t>(source);
}

void ProcessorSimulator::SetFaults(const SimulatorFaults& faults) {
  std::lock_guard<std::mutex> hold(mutex_);
  faults_ = faults;
}

SimulatorFaults ProcessorSimulator::Faults() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return faults_;
}

void ProcessorSimulator::SetChannelRecord(int slot, int channel, const std::vector<uint8_t>& record) {
  std::lock_guard<std::mutex> hold(mutex_);
  std::memcpy(memory_->ChannelRecord(slot, channel), record.data(),
              std::min(record.size(), layout::kDeviceChannelSize));
}

void ProcessorSimulator::SetSlotName(int slot, const std::string& name) {
  std::lock_guard<std::mutex> hold(mutex_);
  uint8_t* field = memory_->Record(slot) + layout::kPresetName;
  std::memset(field, 0, layout::kNameFieldSize);
  std::memcpy(field, name.data(), std::min(name.size(), layout::kNameFieldSize - 1));
}

std::vector<uint8_t> ProcessorSimulator::ChannelRecord(int slot, int channel) const {
  std::lock_guard<std::mutex> hold(mutex_);
  const uint8_t* r = memory_->ChannelRecord(slot, channel);
  return std::vector<uint8_t>(r, r + layout::kDeviceChannelSize);
}

std::vector<uint8_t> ProcessorSimulator::SystemHead() const {
  std::lock_guard<std::mutex> hold(mutex_);
  const uint8_t* r = memory_->Data();
  return std::vector<uint8_t>(r, r + layout::kSystemHeadSize);
}

std::string ProcessorSimulator::SlotName(int slot) const {
  std::lock_guard<std::mutex> hold(mutex_);
  const char* name = reinterpret_cast<const char*>(memory_->Record(slot) + layout::kPresetName);
  return std::string(name, strnlen(name, layout::kNameFieldSize));
}

std::string ProcessorSimulator::Identity() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return memory_->IdentificationText();
}

std::vector<uint8_t> ProcessorSimulator::OutputElement(int channel, int element) const {
  std::lock_guard<std::mutex> hold(mutex_);
  const uint8_t* r = memory_->ChannelRecord(0, channel) + element * layout::kElementSize;
  return std::vector<uint8_t>(r, r + layout::kElementSize);
}

void ProcessorSimulator::SetCommandObserver(std::function<void(const Command&)> observer) {
  std::lock_guard<std::mutex> hold(mutex_);
  observer_ = std::move(observer);
}

int ProcessorSimulator::CommandsHandled() const {
  std::lock_guard<std::mutex> hold(mutex_);
  return commands_;
}

bool ProcessorSimulator::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() != kMagicSize + ParamImage::Size() || std::memcmp(bytes.data(), kStateMagic, kMagicSize) != 0) {
    return false;
  }
  std::lock_guard<std::mutex> hold(mutex_);
  std::memcpy(memory_->Data(), bytes.data() + kMagicSize, ParamImage::Size());
  return true;
}

bool ProcessorSimulator::Save(const std::string& path) const {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::lock_guard<std::mutex> hold(mutex_);
  out.write(kStateMagic, kMagicSize);
  out.write(reinterpret_cast<const char*>(memory_->Data()), ParamImage::Size());
  return static_cast<bool>(out.flush());
}
