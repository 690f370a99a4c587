// tunerctl: the command-line front end of the tuner core.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "tuner/cli/PresetCommands.h"
#include "tuner/cli/SettingsDump.h"
#include "tuner/link/Connection.h"
#include "tuner/link/FileSettingsStore.h"
#include "tuner/link/HeadlessView.h"
#include "tuner/link/HidapiBackend.h"
#include "tuner/link/LinkEventQueue.h"
#include "tuner/model/CKTV_Data.h"
#include "tuner/model/Globals.h"
#include "tuner/presets/SlotOperations.h"
#include "tuner/sim/SimHidBackend.h"

namespace {

constexpr const char* kUsage =
    "usage: tunerctl [--simulator[=STATEFILE]] [--chinese] COMMAND\n"
    "\n"
    "Commands:\n"
    "  devices       list the processors present on USB (path, ids, version)\n"
    "  identify      connect and print the processor's identification\n"
    "  dump [--json] connect, read the live settings back and print them as a\n"
    "                table, or with --json as one JSON object (see README)\n"
    "  preset save FILE      save the live setting (.dsps) or back up all six\n"
    "                        slots with the live setting (.dspa)\n"
    "  preset load FILE      send a .dsps as the live setting, or a .dspa as\n"
    "                        the live setting and all six slots\n"
    "  preset show FILE [--json]\n"
    "                        print a preset file like dump (no device needed)\n"
    "  preset show FILE --curve CH [--band B]\n"
    "                        print the response of channel CH (1-10) as CSV\n"
    "                        frequency_hz,db: the sum of its filters, or filter\n"
    "                        B alone (0-30 bands, 31 high-pass, 32 low-pass)\n"
    "  slot list             print the names of the six slots\n"
    "  slot recall N [--json]\n"
    "                        read slot N (1-6) into the live setting of the\n"
    "                        tuner and print its channels like dump\n"
    "  slot store N NAME     store the live setting in slot N under NAME\n"
    "  slot delete N         delete slot N's name (its channels stay)\n"
    "\n"
    "Options:\n"
    "  --simulator            talk to the built-in processor simulator, not USB\n"
    "  --simulator=STATEFILE  the same, its memory loaded from STATEFILE when it\n"
    "                         exists and saved back to it at the end\n"
    "  --chinese              show the system's texts in Chinese\n"
    "  --help                 this text\n"
    "\n"
    "Exit status: 0 on success, 1 when no processor answers or a preset file or\n"
    "slot name is refused, 2 on wrong usage or an unreadable state file.\n";

constexpr int kConnectTimeoutMs = 15000;

struct Options {
  bool simulator = false;
  std::string stateFile;
  bool json = false;
  std::string command;
  PresetCommand preset;  // command "preset" or "slot"
};

bool IsPresetNoun(const std::string& command) { return command == "preset" || command == "slot"; }

// The value of an option that takes a number.
bool OptionNumber(int argc, char** argv, int* i, int* value) {
  if (*i + 1 >= argc) return false;
  char* end = nullptr;
  const long v = std::strtol(argv[++*i], &end, 10);
  if (*end != '\0' || v < 0 || v > 1000) return false;
  *value = static_cast<int>(v);
  return true;
}

bool ParseArgs(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--simulator") {
      o->simulator = true;
    } else if (a.rfind("--simulator=", 0) == 0) {
      o->simulator = true;
      o->stateFile = a.substr(std::strlen("--simulator="));
    } else if (a == "--chinese") {
      g_bChinese = 1;
    } else if (a == "--json") {
      o->json = true;
    } else if (a == "--help" || a == "-h") {
      o->command = "help";
      return true;
    } else if (a == "--curve" || a == "--band") {
      if (!OptionNumber(argc, argv, &i, a == "--curve" ? &o->preset.curveChannel : &o->preset.curveBand)) return false;
    } else if (o->command.empty() && a[0] != '-') {
      o->command = a;
      if (IsPresetNoun(a)) o->preset.words.push_back(a);
    } else if (IsPresetNoun(o->command) && (a[0] != '-' || o->preset.words.size() == 3)) {
      o->preset.words.push_back(a);  // a slot name may start with '-'
    } else {
      return false;
    }
  }
  o->preset.json = o->json;
  if (IsPresetNoun(o->command)) return IsPresetCommand(o->preset);
  return (o->command == "devices" || o->command == "identify" || o->command == "dump") &&
         o->preset.curveChannel == 0 && o->preset.curveBand < 0;
}

int ListDevices(HidBackend& backend) {
  int found = 0;
  for (const HidDeviceInfo& d : backend.Enumerate()) {
    if (!usb_id::Matches(d)) continue;
    std::printf("%s  %04x:%04x  version %04x\n", d.path.c_str(), d.vendorId, d.productId, d.version);
    ++found;
  }
  if (found == 0) {
    std::fprintf(stderr, "%s\n", UnableToConnectText());
    return 1;
  }
  return 0;
}

// Runs the owner's side of the link until the wanted notification was
// handled; false when the link failed or nothing came in time.
bool RunLink(Connection& link, LinkEventQueue& events, int wantedMsg, LinkOutcome* outcome) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kConnectTimeoutMs);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    const std::optional<LinkEvent> e = events.WaitNext(left);
    if (!e) return false;
    if (e->msg == wantedMsg && wantedMsg == WM_LINK_IDENTITY) return true;
    *outcome = HandleLinkEvent(link, *e);
    if (*outcome == LinkOutcome::kLinkLost || *outcome == LinkOutcome::kWrongDevice ||
        *outcome == LinkOutcome::kOldFirmware) {
      return false;
    }
    if (e->msg == wantedMsg) return true;
  }
}

int Talk(const Options& o, HidBackend& backend, SettingsStore* claims) {
  CKTV_Data model;
  CKTVCommand engine(model);
  LinkEventQueue events;
  engine.SetOwner(&events);
  Connection link(engine, backend, claims);
  if (!link.ConnectFirst()) {
    std::fprintf(stderr, "%s\n", UnableToConnectText());
    return 1;
  }
  LinkOutcome outcome = LinkOutcome::kNone;
  const bool identify = o.command == "identify";
  const bool ok = RunLink(link, events, identify ? WM_LINK_IDENTITY : WM_LINK_LIVE_OUTPUTS, &outcome);
  if (ok && IsPresetNoun(o.command)) {
    presets::SlotOperations ops(engine, [&link] { return link.IsConnected(); });
    const int status = RunPresetDeviceCommand(o.preset, engine, ops, [&](int msg) {
      return RunLink(link, events, msg, &outcome);
    });
    if (link.IsConnected()) link.Disconnect();
    return status;
  }
  if (link.IsConnected()) link.Disconnect();
  if (!ok) {
    std::fprintf(stderr, "%s\n", outcome == LinkOutcome::kOldFirmware ? OldFirmwareText() : UnableToConnectText());
    return 1;
  }
  LinkGuard hold(engine.Lock());
  if (identify) std::printf("%s\n", model.Image().IdentificationText().c_str());
  else std::fputs((o.json ? DumpJson(model) : DumpTable(model)).c_str(), stdout);
  return 0;
}

std::string ClaimsFile() {
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "/tmp") + "/.tunerctl-usb-claims";
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseArgs(argc, argv, &o)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (o.command == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (IsPresetNoun(o.command)) {
    if (!NeedsDevice(o.preset)) return ShowPresetFile(o.preset);
    if (const int refused = PrecheckPresetCommand(o.preset)) return refused;
  }
  if (o.simulator) {
    auto sim = std::make_shared<ProcessorSimulator>();
    if (!o.stateFile.empty() && std::filesystem::exists(o.stateFile)) {
      if (!sim->Load(o.stateFile)) {
        std::fprintf(stderr, "%s\n", tr2("文件错误!", "error for file!"));
        return 2;
      }
    }
    SimHidBackend backend(sim);
    const int status = o.command == "devices" ? ListDevices(backend) : Talk(o, backend, nullptr);
    if (!o.stateFile.empty() && !sim->Save(o.stateFile)) {
      std::fprintf(stderr, "%s\n", tr2("保存文件错误!", "save File Error!"));
      return 2;
    }
    return status;
  }
  HidapiBackend backend;
  if (o.command == "devices") return ListDevices(backend);
  FileSettingsStore claims(ClaimsFile());
  return Talk(o, backend, &claims);
}
