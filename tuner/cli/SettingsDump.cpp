#include "tuner/cli/SettingsDump.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "tuner/model/Bytes.h"
#include "tuner/model/CKTV_Data.h"
#include "tuner/model/DelayUnits.h"
#include "tuner/model/DisplayFormat.h"
#include "tuner/model/ValueTables.h"

using namespace layout;

namespace {

constexpr int kZeroDbRecordGain = 600;
constexpr int kChannelGainZeroDb = 60;
constexpr const char* kCrossoverTypes[] = {"Linkwitz-Riley", "Bessel", "Butterworth"};
constexpr const char* kBandTypes[] = {"peaking", "low shelf", "high shelf"};
constexpr int kReleaseFactors[] = {2, 4, 6, 8, 16, 32};

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", v);
  return text;
}

template <typename Fn>
std::string JsonArray(int count, Fn item) {
  std::string out = "[";
  for (int i = 0; i < count; ++i) out += (i ? ", " : "") + item(i);
  return out + "]";
}

// Band values as stored in the live record.
struct BandView {
  int frequency, gainCode, bandwidthIndex, slope, type;
  double GainDb() const { return (gainCode - kZeroDbRecordGain) / 10.0; }
  double Q() const { return values::QTable()[std::min(std::max(bandwidthIndex, 0), values::kQRows - 1)]; }
};

BandView Band(const CKTV_Data& model, int ch, int b) {
  const uint8_t* rec = model.Image().ChannelRecord(0, ch) + b * kBandRecordSize;
  return {bytes::GetI16(rec + kBandFrequency), bytes::GetI16(rec + kBandGain), bytes::GetI16(rec + kBandWidth),
          rec[kBandSlope], rec[kBandType]};
}

std::string CrossoverJson(const CFilter& f) {
  return "{\"type\": " + std::to_string(f.CrossoverType()) + ", \"slope\": " + std::to_string(f.Slope()) +
         ", \"frequency\": " + std::to_string(f.Frequency()) + "}";
}

std::string ChannelJson(const CKTV_Data& model, int ch) {
  const CKTV_OutData& out = model.Out(ch);
  std::ostringstream j;
  j << "{\"name\": " << Quoted(out.Name()) << ", \"gain_code\": " << out.Gain()
    << ", \"gain_db\": " << out.Gain() - kChannelGainZeroDb << ", \"sound_on\": " << out.SoundOn()
    << ", \"phase\": " << out.Phase() << ", \"delay_code\": " << out.Delay()
    << ", \"delay_ms\": " << Number(delay::CodeToMs(out.Delay(), false)) << ", \"eq_mode\": " << out.EqMode()
    << ", \"highpass\": " << CrossoverJson(out.HighPass()) << ", \"lowpass\": " << CrossoverJson(out.LowPass())
    << ", \"limiter\": {\"threshold\": " << out.LimiterThreshold() << ", \"attack\": " << out.LimiterAttack()
    << ", \"release\": " << out.LimiterRelease() << "}"
    << ", \"routing\": " << JsonArray(kRoutingCount, [&](int i) { return std::to_string(out.RoutingLevel(i)); })
    << ", \"bands\": " << JsonArray(kBandCount, [&](int b) {
         const BandView v = Band(model, ch, b);
         return "{\"frequency\": " + std::to_string(v.frequency) + ", \"gain_code\": " + std::to_string(v.gainCode) +
                ", \"gain_db\": " + Number(v.GainDb()) + ", \"bandwidth_index\": " + std::to_string(v.bandwidthIndex) +
                ", \"q\": " + Number(v.Q()) + ", \"type\": " + std::to_string(v.type) +
                ", \"slope\": " + std::to_string(v.slope) +
                ", \"active\": " + (out.Band(b).IsInactive() ? "false" : "true") + "}";
       })
    << "}";
  return j.str();
}

const char* NameOr(const char* const* names, int count, int i) { return i >= 0 && i < count ? names[i] : "?"; }

}  // namespace

std::string DumpJson(const CKTV_Data& model, const DumpParts& parts) {
  std::ostringstream j;
  j << "{";
  if (parts.identification) j << "\"identification\": " << Quoted(model.Image().IdentificationText()) << ",\n ";
  if (parts.system) {
    j << "\"system\": {\"source\": " << model.Source() << ", \"master_volume\": " << model.MasterVolume()
      << ", \"master_sound\": " << model.MasterSound() << ", \"control_delay\": " << model.ControlDelay()
      << ", \"noise_gate\": " << model.NoiseGate() << "},\n"
      << " \"speaker_types\": " << JsonArray(kChannelCount, [&](int i) { return std::to_string(model.SpeakerType(i)); })
      << ",\n"
      << " \"speaker_type_names\": "
      << JsonArray(kChannelCount, [&](int i) { return Quoted(values::SpeakerTypeName(model.SpeakerType(i))); }) << ",\n ";
  }
  if (parts.slotNames > 0) {
    j << "\"slots\": " << JsonArray(parts.slotNames, [&](int i) { return Quoted(model.PresetName(i + 1)); }) << ",\n ";
  }
  j << "\"channels\": [\n";
  for (int ch = 0; ch < kChannelCount; ++ch) j << "  " << ChannelJson(model, ch) << (ch + 1 < kChannelCount ? ",\n" : "\n");
  j << " ]}\n";
  return j.str();
}

std::string DumpTable(const CKTV_Data& model, const DumpParts& parts) {
  std::ostringstream t;
  char line[256];
  if (parts.identification) t << "Identification: " << model.Image().IdentificationText() << "\n";
  if (parts.system) {
    std::snprintf(line, sizeof line, "Source %d, master volume %d, master sound %s, control delay %d, noise gate %d\n",
                  model.Source(), model.MasterVolume(), model.MasterSound() ? "on" : "off", model.ControlDelay(),
                  model.NoiseGate());
    t << line;
  }
  if (parts.slotNames > 0) {
    t << "Slots:";
    for (int s = 1; s <= parts.slotNames; ++s) t << " " << s << "=\"" << model.PresetName(s) << "\"";
    t << "\n";
  }
  const display::EditRange threshold{0, 360, 0.1, 30.0};
  for (int ch = 0; ch < kChannelCount; ++ch) {
    const CKTV_OutData& out = model.Out(ch);
    const int release = out.LimiterRelease();
    std::snprintf(line, sizeof line,
                  "\nCH%d %s \"%s\": gain %d (%ddB) %s, phase %s, delay %d (%s ms), %s\n"
                  "  high-pass %d Hz %s slope %d, low-pass %d Hz %s slope %d\n"
                  "  limiter %s, attack %s, release x%d\n  routing",
                  ch + 1, values::SpeakerTypeName(model.SpeakerType(ch)), out.Name().c_str(), out.Gain(),
                  out.Gain() - kChannelGainZeroDb, out.SoundOn() ? "on" : "muted", out.Phase() ? "Pol-" : "Pol+",
                  out.Delay(), delay::FormatDelay(out.Delay(), delay::kMilliseconds, false).c_str(),
                  out.EqMode() ? "GEQ" : "PEQ", out.HighPass().Frequency(),
                  NameOr(kCrossoverTypes, 3, out.HighPass().CrossoverType()), out.HighPass().Slope(),
                  out.LowPass().Frequency(), NameOr(kCrossoverTypes, 3, out.LowPass().CrossoverType()),
                  out.LowPass().Slope(), display::Format(display::kThresholdDbu, out.LimiterThreshold(), threshold).c_str(),
                  display::Format(display::kAttack, out.LimiterAttack(), {0, 106}).c_str(),
                  release >= 0 && release < 6 ? kReleaseFactors[release] : 0);
    t << line;
    for (int i = 0; i < static_cast<int>(kRoutingCount); ++i) t << " " << out.RoutingLevel(i);
    t << "\n  band      Hz     dB      Q  type        slope  active\n";
    for (int b = 0; b < kBandCount; ++b) {
      const BandView v = Band(model, ch, b);
      std::snprintf(line, sizeof line, "  %4d %7d %6.1f %6.3f  %-10s  %5d  %s\n", b + 1, v.frequency, v.GainDb(), v.Q(),
                    NameOr(kBandTypes, 3, v.type), v.slope, out.Band(b).IsInactive() ? "no" : "yes");
      t << line;
    }
  }
  return t.str();
}
