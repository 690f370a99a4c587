#include "tuner/cli/PresetCommands.h"

#include <cstdio>
#include <cstdlib>

#include "tuner/cli/SettingsDump.h"
#include "tuner/link/CKTVCommand.h"
#include "tuner/model/CKTV_Data.h"
#include "tuner/presets/SlotOperations.h"

using presets::PresetFormat;

namespace {

constexpr int kLastFilter = layout::kBandCount + 1;  // 31 high-pass, 32 low-pass
constexpr int kStoredNamesShown = layout::kStoredRecordCount;

bool Is(const PresetCommand& c, const char* noun, const char* verb, size_t count) {
  return c.words.size() == count && c.words[0] == noun && c.words[1] == verb;
}

// A whole decimal number in [low, high], else low - 1.
int NumberIn(const std::string& text, int low, int high) {
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || v < low || v > high) return low - 1;
  return static_cast<int>(v);
}

int SlotOf(const PresetCommand& c) { return NumberIn(c.words[2], 1, presets::kSlotCount); }

std::optional<PresetFormat> FileFormat(const PresetCommand& c) { return presets::FormatOfPath(c.words[2]); }

bool IsCurve(const PresetCommand& c) { return c.curveChannel != 0; }

DumpParts ChannelsOnly() {
  DumpParts parts;
  parts.identification = false;
  parts.system = false;
  parts.slotNames = 0;
  return parts;
}

void PrintChannels(const CKTV_Data& model, bool json, const DumpParts& parts) {
  std::fputs((json ? DumpJson(model, parts) : DumpTable(model, parts)).c_str(), stdout);
}

}  // namespace

bool IsPresetCommand(const PresetCommand& c) {
  if (c.words.size() < 2) return false;
  const bool curveOptions = IsCurve(c) || c.curveBand >= 0;
  if (curveOptions && (!Is(c, "preset", "show", 3) || c.json || c.curveChannel < 1 ||
                       c.curveChannel > layout::kChannelCount || c.curveBand > kLastFilter)) {
    return false;
  }
  if (c.curveBand >= 0 && !IsCurve(c)) return false;
  if (Is(c, "preset", "save", 3) || Is(c, "preset", "load", 3) || Is(c, "preset", "show", 3)) {
    return FileFormat(c).has_value();
  }
  if (Is(c, "slot", "list", 2)) return true;
  if (Is(c, "slot", "recall", 3) || Is(c, "slot", "delete", 3) || Is(c, "slot", "store", 4)) return SlotOf(c) > 0;
  return false;
}

bool NeedsDevice(const PresetCommand& c) { return !Is(c, "preset", "show", 3); }

int PrecheckPresetCommand(const PresetCommand& c) {
  if (Is(c, "preset", "load", 3) && !presets::ReadFile(c.words[2], *FileFormat(c))) return kExitRefused;
  if (Is(c, "slot", "store", 4) && !presets::CheckSlotName(c.words[3])) return kExitRefused;
  return kExitDone;
}

std::string CurveCsv(const CKTV_Data& model, int channel, int filter) {
  const CKTVEQ& eq = model.Out(channel).Filters();
  filters::Response response{};
  if (filter < 0) eq.Sum(response);
  else response = eq.Filter(filter).Response();
  std::string csv;
  char line[64];
  for (int i = 0; i < filters::kGridPoints; ++i) {
    std::snprintf(line, sizeof line, "%.6g,%.4f\n", filters::kGridHz[i], response[i] == 0.0 ? 0.0 : response[i]);
    csv += line;
  }
  return csv;
}

int ShowPresetFile(const PresetCommand& c) {
  const PresetFormat format = *FileFormat(c);
  const std::optional<std::vector<uint8_t>> file = presets::ReadFile(c.words[2], format);
  if (!file) return kExitRefused;
  CKTV_Data model;
  presets::Apply(format, *file, model);
  if (IsCurve(c)) {
    std::fputs(CurveCsv(model, c.curveChannel - 1, c.curveBand).c_str(), stdout);
    return kExitDone;
  }
  DumpParts parts = ChannelsOnly();
  if (format == PresetFormat::kAll) {
    parts.system = true;
    parts.slotNames = kStoredNamesShown;
  }
  PrintChannels(model, c.json, parts);
  return kExitDone;
}

int RunPresetDeviceCommand(const PresetCommand& c, CKTVCommand& engine, presets::SlotOperations& ops,
                           const std::function<bool(int msg)>& wait) {
  auto finished = [&](const presets::BatchStart& batch, int msg) {
    return batch.queued && wait(msg) ? kExitDone : kExitRefused;
  };
  if (Is(c, "slot", "list", 2)) {
    LinkGuard hold(engine.Lock());
    for (int slot = 1; slot <= presets::kSlotCount; ++slot) {
      std::printf("%d %s\n", slot, engine.Model().PresetName(slot).c_str());
    }
    return kExitDone;
  }
  if (Is(c, "slot", "recall", 3)) {
    if (finished(ops.LoadSlot(SlotOf(c)).batch, WM_LINK_LIVE_OUTPUTS) != kExitDone) return kExitRefused;
    LinkGuard hold(engine.Lock());
    PrintChannels(engine.Model(), c.json, ChannelsOnly());
    return kExitDone;
  }
  if (Is(c, "slot", "store", 4)) return finished(ops.SaveSlot(SlotOf(c), c.words[3]).batch, WM_LINK_BATCH_DONE);
  if (Is(c, "slot", "delete", 3)) return finished(ops.DeleteSlot(SlotOf(c)), WM_LINK_BATCH_DONE);
  if (Is(c, "preset", "load", 3)) {
    const presets::PresetOutcome loaded = ops.LoadFile(c.words[2]);
    return loaded.ok ? finished(loaded.batch, WM_LINK_BATCH_DONE) : kExitRefused;
  }
  if (Is(c, "preset", "save", 3)) {
    if (*FileFormat(c) == PresetFormat::kSingle) return ops.SaveCurrentPreset(c.words[2]).ok ? kExitDone : kExitRefused;
    if (finished(ops.BackUpAllSlots(c.words[2]), WM_LINK_SLOTS_READ) != kExitDone) return kExitRefused;
    return ops.OnSlotsRead().ok ? kExitDone : kExitRefused;
  }
  return kExitUsage;
}
